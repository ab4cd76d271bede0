#pragma once

#include <QString>

namespace verdalo::password {

// Operator passwords are stored as argon2id hashes. Older rows may still hold the clear text; callers
// recognise them with isHash() and rewrite them after a successful check.
QString hash(const QString &clearText);
bool isHash(const QString &stored);
// True when `clearText` matches `stored`, whether stored is a hash or (legacy) clear text.
bool verify(const QString &clearText, const QString &stored);

} // namespace verdalo::password
