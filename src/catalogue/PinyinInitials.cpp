#include "catalogue/PinyinInitials.h"

#include "catalogue/PinyinTable.h"
#include "core/Gbk.h"

#include <cstdlib>
#include <cstring>

namespace verdalo {
namespace {

// Row A2: numerals, indexed by trail byte - 0xA1. Only the first character reaches the result.
const char *a2Entry(unsigned char trail)
{
    static const char *const numbers[] = { "1", "2", "3", "4", "5", "6", "7", "8", "9", "10",
                                           "11", "12", "13", "14", "15", "16", "17", "18", "19", "20" };
    struct Range
    {
        unsigned char first, last;
    };
    static const Range ranges[] = { { 0xA1, 0xAA }, { 0xB1, 0xC4 }, { 0xC5, 0xD8 },
                                    { 0xD9, 0xE2 }, { 0xE5, 0xEE }, { 0xF1, 0xFC } };
    for (const Range &r : ranges) {
        if (trail >= r.first && trail <= r.last)
            return numbers[trail - r.first];
    }
    return "";
}

// Row A6: Greek capitals at 0xA1-0xB8 and small letters at 0xC1-0xD8, in alphabet order.
const char *greekEntry(unsigned char trail)
{
    static const char *const latin[] = { "a", "b", "g", "d", "e", "z", "e", "th", "i", "k", "l", "m",
                                         "n", "x", "o", "p", "r", "s", "t", "u", "ph", "kh", "ps", "o" };
    if (trail >= 0xA1 && trail <= 0xB8)
        return latin[trail - 0xA1];
    if (trail >= 0xC1 && trail <= 0xD8)
        return latin[trail - 0xC1];
    return nullptr;
}

bool isAlnum(unsigned char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

char upper(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// Appends the initials of `len` bytes to `out` (at most `limit` characters); `out` has room for `limit`.
int convert(const unsigned char *p, size_t len, qint32 options, int limit, char *out)
{
    if (options < 0 || limit <= 0)
        return 0;
    const bool questionMark = options & pinyin_options::QuestionMark;
    const bool keepAll = options & pinyin_options::KeepAll;
    int n = 0;
    size_t i = 0;
    while (i < len && n < limit) {
        const unsigned char c = p[i];
        const unsigned char next = i + 1 < len ? p[i + 1] : 0;
        if (c < 0x81 || next < 0x40) {
            if (isAlnum(c) || keepAll)
                out[n++] = upper(static_cast<char>(c));
            ++i;
            continue;
        }
        char initial = 0;
        bool noReading = false;
        if (c == 0xA2) {
            if (next >= 0xA1)
                initial = a2Entry(next)[0];
            else
                noReading = true;
        } else if (c == 0xA3) {
            const auto b = static_cast<unsigned char>(next - 0x80);
            if (keepAll || isAlnum(b))
                initial = static_cast<char>(b);
        } else if (c == 0xA6) {
            if (const char *g = greekEntry(next))
                initial = upper(g[0]);
            else
                noReading = true;
        } else if (c <= 0xFE && next <= 0xFE) {
            const unsigned short syllable = pinyin::kReadingIndex[c - 0x81][next - 0x40];
            if (syllable > 0 && syllable < pinyin::kSyllableCount)
                initial = upper(pinyin::kSyllables[syllable][0]);
            else
                noReading = true;
        } else {
            noReading = true;
        }
        if (noReading && questionMark)
            initial = '?';
        if (initial)
            out[n++] = initial;
        i += 2;
    }
    return n;
}

} // namespace

QByteArray PinyinInitials(const QByteArray &gbkText, qint32 options, int maxLength)
{
    QByteArray out;
    if (options < 0 || maxLength <= 0 || gbkText.isEmpty())
        return out;
    out.resize(std::min<qsizetype>(maxLength, gbkText.size()));
    const int n = convert(reinterpret_cast<const unsigned char *>(gbkText.constData()),
                          static_cast<size_t>(gbkText.size()), options, static_cast<int>(out.size()), out.data());
    out.truncate(n);
    return out;
}

char *PinyinInitialsBuffer(const char *gbkText, qint32 options, int maxLength)
{
    const size_t len = gbkText ? std::strlen(gbkText) : 0;
    const int room = maxLength > 0 ? static_cast<int>(std::min<size_t>(static_cast<size_t>(maxLength), len)) : 0;
    auto *out = static_cast<char *>(std::malloc(static_cast<size_t>(room) + 1));
    if (!out)
        return nullptr;
    const int n = convert(reinterpret_cast<const unsigned char *>(gbkText ? gbkText : ""), len, options, room, out);
    out[n] = '\0';
    return out;
}

QString itemInitials(const QString &name)
{
    return QString::fromLatin1(PinyinInitials(gbk::encode(name), 0, 20)).toLower();
}

} // namespace verdalo
