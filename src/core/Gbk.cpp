#include "core/Gbk.h"

#include <iconv.h>

#include <cerrno>
#include <vector>

namespace verdalo::gbk {
namespace {

// One conversion through iconv; an unconvertible input sequence is replaced by '?' and skipped.
QByteArray convert(const char *to, const char *from, const QByteArray &in, int skipOnError)
{
    if (in.isEmpty())
        return {};
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return in;
    std::vector<char> out(static_cast<size_t>(in.size()) * 4 + 16);
    char *inPtr = const_cast<char *>(in.constData());
    size_t inLeft = static_cast<size_t>(in.size());
    char *outPtr = out.data();
    size_t outLeft = out.size();
    while (inLeft > 0) {
        if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) != static_cast<size_t>(-1))
            break;
        if (errno == EILSEQ || errno == EINVAL) {
            // Skip the offending input sequence: one UTF-8 character, or one GBK byte.
            size_t skip = 1;
            if (skipOnError == 0) {
                const auto lead = static_cast<unsigned char>(*inPtr);
                skip = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
                skip = std::min(skip, inLeft);
            }
            inPtr += skip;
            inLeft -= skip;
            if (outLeft > 0) {
                *outPtr++ = '?';
                --outLeft;
            }
        } else {
            break;
        }
    }
    iconv_close(cd);
    return QByteArray(out.data(), static_cast<qsizetype>(out.size() - outLeft));
}

} // namespace

QByteArray encode(const QString &text)
{
    return convert("GBK", "UTF-8", text.toUtf8(), 0);
}

QString decode(const QByteArray &bytes)
{
    return QString::fromUtf8(convert("UTF-8", "GBK", bytes, 1));
}

int charWidth(char32_t codePoint)
{
    return codePoint < 0x80 ? 1 : 2;
}

bool isValidUtf8(const QByteArray &bytes)
{
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.constData());
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n;) {
        const unsigned char c = p[i];
        int follow = 0;
        if (c < 0x80)
            follow = 0;
        else if ((c & 0xE0) == 0xC0 && c >= 0xC2)
            follow = 1;
        else if ((c & 0xF0) == 0xE0)
            follow = 2;
        else if ((c & 0xF8) == 0xF0 && c <= 0xF4)
            follow = 3;
        else
            return false;
        for (int k = 1; k <= follow; ++k) {
            if (i + k >= n || (p[i + k] & 0xC0) != 0x80)
                return false;
        }
        i += follow + 1;
    }
    return true;
}

} // namespace verdalo::gbk
