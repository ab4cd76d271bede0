#include "core/Gbk.h"
#include "core/TextHelpers.h"

#include <gtest/gtest.h>

using namespace verdalo;

TEST(ScrambleText, KnownValuesAndEdges)
{
    EXPECT_EQ(ScrambleText(QByteArray("abc")), QByteArray("TRE_"));
    EXPECT_EQ(ScrambleText(QByteArray()), QByteArray());
    // A final group of one byte gives two characters, of two bytes three; the bits are left-aligned.
    EXPECT_EQ(ScrambleText(QByteArray("a")).size(), 2);
    EXPECT_EQ(ScrambleText(QByteArray("ab")).size(), 3);
    // Only codes 60 to 123 appear.
    const QByteArray all = [] {
        QByteArray b;
        for (int i = 0; i < 256; ++i)
            b.append(static_cast<char>(i));
        return b;
    }();
    for (const char c : ScrambleText(all)) {
        const auto code = static_cast<unsigned char>(c);
        EXPECT_GE(code, 60);
        EXPECT_LE(code, 123);
    }
    // The output stops at 10000 characters.
    EXPECT_EQ(ScrambleText(QByteArray(9000, 'x')).size(), 10000);
}

TEST(ScrambleText, RoundTripsEveryLength)
{
    for (const QString &text : { QStringLiteral("p"), QStringLiteral("pa"), QStringLiteral("pass"),
                                 QStringLiteral("密码123"), QStringLiteral("服务器口令：A'b\"c") }) {
        EXPECT_EQ(UnscrambleText(ScrambleText(text)), text) << text.toStdString();
    }
    // All byte values survive.
    QByteArray bytes;
    for (int i = 0; i < 256; ++i)
        bytes.append(static_cast<char>(i));
    EXPECT_EQ(UnscrambleText(ScrambleText(bytes)), bytes);
}

TEST(UnscrambleText, CopiesLowCharactersAndRestartsGrouping)
{
    EXPECT_EQ(UnscrambleText(QByteArray("TRE_")), QByteArray("abc"));
    // Nothing of code 60 or more: the text comes back unchanged.
    EXPECT_EQ(UnscrambleText(QByteArray("12:34 ;")), QByteArray("12:34 ;"));
    // "1" is copied and the groups on either side are decoded separately.
    EXPECT_EQ(UnscrambleText(QByteArray("TRE_1TRE_")), QByteArray("abc1abc"));
    // Leftover bits that do not fill a byte are dropped; the output never outgrows the input.
    EXPECT_EQ(UnscrambleText(QByteArray("T")), QByteArray());
    const QByteArray noise("zzzzzzzzzz<<<<\x7f\x80\xff");
    EXPECT_LE(UnscrambleText(noise).size(), noise.size());
}

TEST(WrapReceiptText, BreaksByGbkBytes)
{
    struct Case
    {
        int width;
        QString text;
        QString expected;
    };
    const Case cases[] = {
        // Eight Chinese characters: width 10 gives 5 + 3; width 9 also 5 + 3 (the fifth goes on at 8 bytes).
        { 10, QStringLiteral("一二三四五六七八"), QStringLiteral("一二三四五\r六七八") },
        { 9, QStringLiteral("一二三四五六七八"), QStringLiteral("一二三四五\r六七八") },
        { 4, QStringLiteral("abcdefghij"), QStringLiteral("abcd\refgh\rij") },
        { 5, QStringLiteral("ab中文cd"), QStringLiteral("ab中文\rcd") },
        { 10, QString(), QString() },
        // No empty lines even with a width smaller than a character.
        { 1, QStringLiteral("中文"), QStringLiteral("中\r文") },
        { 0, QStringLiteral("ab"), QStringLiteral("a\rb") },
        // 25 characters at 20 bytes: 10, 10, 5.
        { 20, QString(25, QChar(0x5730)), QString(10, QChar(0x5730)) + QLatin1Char('\r') + QString(10, QChar(0x5730))
              + QLatin1Char('\r') + QString(5, QChar(0x5730)) },
    };
    for (const Case &c : cases)
        EXPECT_EQ(WrapReceiptText(c.width, c.text), c.expected) << c.width << " " << c.text.toStdString();
}

TEST(Gbk, ConvertsBothWaysAndReplacesTheUnrepresentable)
{
    const QString text = QStringLiteral("西红柿 A1");
    const QByteArray bytes = gbk::encode(text);
    EXPECT_EQ(bytes.size(), 3 * 2 + 3);
    EXPECT_EQ(gbk::decode(bytes), text);
    EXPECT_EQ(gbk::encode(QStringLiteral("a\U0001F600b")), QByteArray("a?b"));
    EXPECT_FALSE(gbk::isValidUtf8(bytes));
    EXPECT_TRUE(gbk::isValidUtf8(text.toUtf8()));
}
