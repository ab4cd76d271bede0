#include "core/PasswordHash.h"

#include <sodium.h>

#include <stdexcept>

namespace verdalo::password {
namespace {
void initSodium()
{
    static const bool ok = sodium_init() >= 0;
    if (!ok)
        throw std::runtime_error("libsodium could not be initialised");
}
} // namespace

QString hash(const QString &clearText)
{
    initSodium();
    const QByteArray pw = clearText.toUtf8();
    char out[crypto_pwhash_STRBYTES];
    if (crypto_pwhash_str_alg(out, pw.constData(), static_cast<unsigned long long>(pw.size()),
                              crypto_pwhash_OPSLIMIT_INTERACTIVE, crypto_pwhash_MEMLIMIT_INTERACTIVE,
                              crypto_pwhash_ALG_ARGON2ID13)
        != 0)
        throw std::runtime_error("out of memory while hashing a password");
    return QString::fromLatin1(out);
}

bool isHash(const QString &stored)
{
    return stored.startsWith(QLatin1String("$argon2id$"));
}

bool verify(const QString &clearText, const QString &stored)
{
    if (!isHash(stored))
        return clearText == stored;
    initSodium();
    const QByteArray pw = clearText.toUtf8();
    const QByteArray h = stored.toLatin1();
    return crypto_pwhash_str_verify(h.constData(), pw.constData(), static_cast<unsigned long long>(pw.size())) == 0;
}

} // namespace verdalo::password
