#include "core/Money.h"

#include <gtest/gtest.h>

using namespace verdalo;

TEST(Money, ParsesAndRejects)
{
    struct Case
    {
        const char *text;
        bool ok;
        std::int64_t units;
    };
    const Case cases[] = {
        { "12", true, 120000 },        { "12.5", true, 125000 },   { "-3.25", true, -32500 },
        { "0.0001", true, 1 },         { "0.00005", true, 1 },     { "-0.00005", true, -1 },
        { " 7.10 ", true, 71000 },     { ".5", true, 5000 },       { "+2", true, 20000 },
        { "", false, 0 },              { "abc", false, 0 },        { "1.2.3", false, 0 },
        { "1e3", false, 0 },           { "１２", false, 0 },       { "-", false, 0 },
        { "99999999999999999", false, 0 },
    };
    for (const Case &c : cases) {
        Money m;
        EXPECT_EQ(Money::parse(QString::fromUtf8(c.text), &m), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(m.units(), c.units) << c.text;
        }
    }
}

TEST(Money, RoundsHalfAwayFromZero)
{
    struct Case
    {
        const char *value;
        int decimals;
        const char *expected;
    };
    const Case cases[] = {
        { "2.345", 2, "2.35" },  { "-2.345", 2, "-2.35" }, { "2.344", 2, "2.34" }, { "2.25", 1, "2.3" },
        { "-2.25", 1, "-2.3" },  { "2.5", 0, "3" },        { "-2.5", 0, "-3" },    { "0.4999", 0, "0" },
        { "12.3456", 4, "12.3456" },
    };
    for (const Case &c : cases) {
        Money m;
        ASSERT_TRUE(Money::parse(QString::fromUtf8(c.value), &m));
        EXPECT_EQ(m.toString(c.decimals), QString::fromUtf8(c.expected)) << c.value << " @" << c.decimals;
    }
}

TEST(Money, ArithmeticAndDatabaseValues)
{
    Money price;
    ASSERT_TRUE(Money::parse(QStringLiteral("3.35"), &price));
    EXPECT_EQ(price.times(Money::fromDouble(1.5)).toString(4), QStringLiteral("5.0250"));
    EXPECT_EQ(price.times(3.0).toString(2), QStringLiteral("10.05"));
    EXPECT_EQ((price + price - Money::fromUnits(1)).units(), 66999);
    // What the drivers hand back: doubles, integers, numeric texts, null.
    EXPECT_EQ(Money::fromVariant(QVariant(0.1 + 0.2)).toString(4), QStringLiteral("0.3000"));
    EXPECT_EQ(Money::fromVariant(QVariant(qlonglong(12))).units(), 120000);
    EXPECT_EQ(Money::fromVariant(QVariant(QStringLiteral("12.3400"))).units(), 123400);
    EXPECT_TRUE(Money::fromVariant(QVariant()).isZero());
}
