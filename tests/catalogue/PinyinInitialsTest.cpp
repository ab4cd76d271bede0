#include "catalogue/PinyinInitials.h"
#include "core/Gbk.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace verdalo;
using namespace verdalo::pinyin_options;

namespace {
QByteArray initials(const QString &text, qint32 options = 0, int limit = 20)
{
    return PinyinInitials(gbk::encode(text), options, limit);
}
QByteArray bytes(std::initializer_list<int> b)
{
    QByteArray out;
    for (int v : b)
        out.append(static_cast<char>(v));
    return out;
}
} // namespace

TEST(PinyinInitials, CatalogueExamples)
{
    const std::pair<const char *, const char *> cases[] = {
        { "西红柿", "xhs" }, { "可乐2升", "kl2s" }, { "A套餐（大）", "atcd" }, { "① 鸡腿", "1jt" },
        { "佛跳墙", "tq" },  { "", "" },           { "Coke 330ml!", "coke330ml" },
    };
    for (const auto &[name, expected] : cases)
        EXPECT_EQ(itemInitials(QString::fromUtf8(name)), QString::fromUtf8(expected)) << name;
}

TEST(PinyinInitials, TellingReadings)
{
    const std::pair<const char *, const char *> cases[] = {
        { "啊", "A" }, { "菜", "C" }, { "长", "Z" }, { "行", "H" }, { "还", "H" }, { "调", "T" }, { "率", "L" },
        { "宿", "X" }, { "曾", "C" }, { "藏", "C" }, { "厦", "S" }, { "弹", "D" }, { "长城", "ZC" }, { "银行", "YH" },
        { "佛", "" },  { "给", "" },  { "髟", "" },
    };
    for (const auto &[text, expected] : cases)
        EXPECT_EQ(initials(QString::fromUtf8(text)), QByteArray(expected)) << text;
    EXPECT_EQ(initials(QStringLiteral("佛给髟"), QuestionMark), QByteArray("???"));
}

TEST(PinyinInitials, OptionsAndLimits)
{
    EXPECT_EQ(initials(QStringLiteral("a-b c"), 0), QByteArray("ABC"));
    EXPECT_EQ(initials(QStringLiteral("a-b c"), KeepAll), QByteArray("A-B C"));
    EXPECT_EQ(initials(QStringLiteral("西红柿"), -1), QByteArray());
    EXPECT_EQ(initials(QStringLiteral("西红柿"), -8), QByteArray());
    // Bits other than the two options are ignored.
    EXPECT_EQ(initials(QStringLiteral("西红柿"), 1 | 8 | 0x100), QByteArray("XHS"));
    EXPECT_EQ(initials(QString(25, QChar(0x897F))).size(), 20);
    EXPECT_EQ(initials(QStringLiteral("西红柿"), 0, 2), QByteArray("XH"));
    EXPECT_EQ(initials(QStringLiteral("西红柿"), 0, 0), QByteArray());
    // Full-width letters keep their case; full-width punctuation needs keep all.
    EXPECT_EQ(initials(QStringLiteral("ａＡ１（")), QByteArray("aA1"));
    EXPECT_EQ(initials(QStringLiteral("（"), KeepAll), QByteArray("("));
}

TEST(PinyinInitials, SymbolRows)
{
    struct Case
    {
        QByteArray text;
        qint32 options;
        QByteArray expected;
    };
    const Case cases[] = {
        { gbk::encode(QStringLiteral("⑩⒇ⅰⅫ㈠")), 0, "1211" "1" },
        { bytes({ 0xA2, 0xAB }), QuestionMark, "" },   // unassigned in row A2: nothing, even with "?"
        { bytes({ 0xA2, 0xA0 }), QuestionMark, "?" },  // below the row's range: no reading
        { bytes({ 0xA2, 0xA0 }), 0, "" },
        { gbk::encode(QStringLiteral("Θθ")), 0, "TT" },
        { gbk::encode(QStringLiteral("ΑΦΧΨΗΩ")), 0, "APKPEO" },
        { bytes({ 0xA6, 0xB9 }), QuestionMark, "?" },  // between the two letter ranges
        { bytes({ 0xA6, 0xE0 }), 0, "" },
        { bytes({ 0xA1, 0xA1 }), QuestionMark, "?" },  // symbol row without readings
        // A lead byte with a trail below 0x40 is a single byte: dropped, or kept with keep all.
        { bytes({ 0xB0, 0x31 }), 0, "1" },
        { bytes({ 'a', 0xB0 }), 0, "A" },
        { bytes({ 'a', 0xB0 }), KeepAll, bytes({ 'A', 0xB0 }) },
        { bytes({ 0xFF, 0xFF }), QuestionMark, "?" },
    };
    for (const Case &c : cases)
        EXPECT_EQ(PinyinInitials(c.text, c.options, 20), c.expected) << c.text.toHex().toStdString();
}

TEST(PinyinInitials, BufferVariantAndCoverage)
{
    const QByteArray text = gbk::encode(QStringLiteral("西红柿炒鸡蛋"));
    char *out = PinyinInitialsBuffer(text.constData(), 0, 4);
    ASSERT_NE(out, nullptr);
    EXPECT_STREQ(out, "XHSC");
    std::free(out);
    out = PinyinInitialsBuffer(nullptr, 0, 4);
    EXPECT_STREQ(out, "");
    std::free(out);

    // Every GB2312 character except the three without a reading gives a letter.
    int withReading = 0;
    for (int lead = 0xB0; lead <= 0xF7; ++lead) {
        for (int trail = 0xA1; trail <= 0xFE; ++trail) {
            if (lead == 0xD7 && trail > 0xF9)
                continue;
            withReading += PinyinInitials(bytes({ lead, trail }), 0, 1).size();
        }
    }
    EXPECT_EQ(withReading, 6763 - 3);
}
