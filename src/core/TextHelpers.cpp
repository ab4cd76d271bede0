#include "core/TextHelpers.h"

#include "core/Gbk.h"

#include <QList>

namespace verdalo {
namespace {
constexpr int kFirstCode = 60;
constexpr qsizetype kMaxScrambled = 10000;
} // namespace

QByteArray ScrambleText(const QByteArray &bytes)
{
    QByteArray out;
    out.reserve(std::min<qsizetype>(kMaxScrambled, (bytes.size() + 2) / 3 * 4));
    quint32 bits = 0;
    int bitCount = 0;
    for (const char c : bytes) {
        bits = (bits << 8) | static_cast<unsigned char>(c);
        bitCount += 8;
        while (bitCount >= 6) {
            bitCount -= 6;
            if (out.size() >= kMaxScrambled)
                return out;
            out.append(static_cast<char>(kFirstCode + ((bits >> bitCount) & 0x3F)));
        }
    }
    if (bitCount > 0 && out.size() < kMaxScrambled)
        out.append(static_cast<char>(kFirstCode + ((bits << (6 - bitCount)) & 0x3F)));
    return out;
}

QByteArray UnscrambleText(const QByteArray &bytes)
{
    QByteArray out;
    out.reserve(bytes.size());
    quint32 bits = 0;
    int bitCount = 0;
    for (const char c : bytes) {
        const auto code = static_cast<unsigned char>(c);
        if (code < kFirstCode) {
            // A character outside the alphabet is kept as it is and starts a new group.
            bits = 0;
            bitCount = 0;
            out.append(c);
            continue;
        }
        bits = (bits << 6) | ((code - kFirstCode) & 0x3F);
        bitCount += 6;
        if (bitCount >= 8) {
            bitCount -= 8;
            out.append(static_cast<char>((bits >> bitCount) & 0xFF));
        }
    }
    return out;
}

QString ScrambleText(const QString &text)
{
    return QString::fromLatin1(ScrambleText(gbk::encode(text)));
}

QString UnscrambleText(const QString &text)
{
    return gbk::decode(UnscrambleText(gbk::encode(text)));
}

QString WrapReceiptText(int width, const QString &text)
{
    QString out;
    out.reserve(text.size() + text.size() / 8);
    int lineBytes = 0;
    bool lineEmpty = true;
    for (const char32_t cp : text.toUcs4()) {
        // A line takes another character while it holds fewer than `width` bytes; a two-byte character may
        // therefore end a line at width + 1. An empty line always takes one character.
        if (!lineEmpty && lineBytes + 1 > width) {
            out.append(QLatin1Char('\r'));
            lineBytes = 0;
        }
        const char32_t one[1] = { cp };
        out.append(QString::fromUcs4(one, 1));
        lineBytes += gbk::charWidth(cp);
        lineEmpty = false;
    }
    return out;
}

} // namespace verdalo
