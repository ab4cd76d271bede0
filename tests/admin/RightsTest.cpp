#include "admin/Rights.h"

#include <gtest/gtest.h>

using namespace verdalo;

namespace {
Rights rightsOf(const QString &r1, const QString &r2, const QString &r3 = {}, const QString &r4 = {})
{
    std::array<QString, 9> s;
    s[0] = r1;
    s[1] = r2;
    s[2] = r3;
    s[3] = r4;
    return Rights(s);
}
} // namespace

TEST(Rights, GroupsHaveTheirSizesAndNames)
{
    const auto &g = Rights::groups();
    ASSERT_EQ(g.size(), 5u);
    EXPECT_EQ(g[0].rights.size(), 8u);
    EXPECT_EQ(g[1].rights.size(), 13u);
    EXPECT_EQ(g[2].rights.size(), 11u);
    EXPECT_EQ(g[3].rights.size(), 6u);
    EXPECT_TRUE(g[4].rights.empty());
    EXPECT_EQ(g[4].title, QStringLiteral("帮助"));
    EXPECT_EQ(Rights::definition(Right::Dispatch).name, QStringLiteral("发货"));
    EXPECT_EQ(Rights::definition(Right::TopUpQuery).position, 8);
}

TEST(Rights, StrictPositionsGrantOnlyOnOne)
{
    // "2" in every position: ordinary positions grant (anything but "0"), strict ones refuse.
    const Rights twos = rightsOf(QString(8, QLatin1Char('2')), QString(13, QLatin1Char('2')),
                                 QString(11, QLatin1Char('2')), QString(6, QLatin1Char('2')));
    const Right strict[] = { Right::ViewCustomerInfo, Right::StockIn, Right::StockOut, Right::CallHistory,
                             Right::StockInQuery, Right::StockOutQuery };
    for (const RightsGroup &g : Rights::groups()) {
        for (const RightDef &d : g.rights) {
            const bool isStrict = std::find(std::begin(strict), std::end(strict), d.right) != std::end(strict);
            EXPECT_EQ(d.strict, isStrict) << d.name.toStdString();
            EXPECT_EQ(twos.granted(d.right), !isStrict) << d.name.toStdString();
        }
    }
    // A 13-character right2 of "1": dispatch and both stock windows; with the 13th "0" no stock-out save.
    const Rights ones = rightsOf({}, QString(13, QLatin1Char('1')));
    EXPECT_TRUE(ones.granted(Right::Dispatch));
    EXPECT_TRUE(ones.granted(Right::StockIn));
    EXPECT_TRUE(ones.granted(Right::StockOut));
    const Rights noStockOut = rightsOf({}, QStringLiteral("1111111111110"));
    EXPECT_FALSE(noStockOut.granted(Right::StockOut));
    EXPECT_TRUE(noStockOut.granted(Right::StockIn));
    // Positions beyond a short string refuse.
    Rights empty;
    EXPECT_FALSE(empty.granted(Right::ItemManagement));
    EXPECT_TRUE(rightsOf(Rights::kAll, Rights::kAll, Rights::kAll, Rights::kAll).granted(Right::Initialise));
}

TEST(Rights, GroupStringsHaveOneCharacterPerPermission)
{
    const RightsGroup &business = Rights::groups()[1];
    std::vector<bool> checks = Rights::groupChecks(business, Rights::kAll);
    ASSERT_EQ(checks.size(), 13u);
    checks[1] = false;
    EXPECT_EQ(Rights::groupString(checks), QStringLiteral("1011111111111"));
    const std::vector<bool> fromShort = Rights::groupChecks(business, QStringLiteral("12"));
    EXPECT_TRUE(fromShort[0]);
    EXPECT_FALSE(fromShort[1]);
    EXPECT_FALSE(fromShort[12]);
}
