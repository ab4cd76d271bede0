#include "core/PasswordHash.h"
#include "data/Schema.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

using namespace verdalo;
using verdalo::test::TestDatabase;

class SchemaTest : public testing::TestWithParam<Backend>
{
protected:
    void SetUp() override
    {
        t = std::make_unique<TestDatabase>(GetParam());
        VERDALO_REQUIRE_BACKEND(*t);
    }
    std::unique_ptr<TestDatabase> t;
};

TEST_P(SchemaTest, CreatesEveryTableWithItsColumnsAndTheNeededRows)
{
    Db &db = t->db();
    for (const DbRole role : { DbRole::Main, DbRole::Local, DbRole::Patch }) {
        EXPECT_FALSE(schema::isCreated(db, role));
        schema::create(db, role);
        EXPECT_TRUE(schema::isCreated(db, role));
        EXPECT_TRUE(schema::missingTables(db, role).isEmpty());
    }
    for (const TableDef &table : schema::tables()) {
        for (const ColumnDef &c : table.columns)
            EXPECT_TRUE(db.columnExists(table.name, c.name)) << table.name.toStdString() << "." << c.name.toStdString();
    }

    // The single rows.
    for (const char *table : { "店名", "版本号", "刷新频率", "颜色显示", "串口编号", "来电路数", "录音设备" })
        EXPECT_EQ(db.scalar(QStringLiteral("select count(*) from %1").arg(QString::fromUtf8(table))).toInt(), 1) << table;
    EXPECT_EQ(db.first(QStringLiteral("select * from 版本号"))->text(QStringLiteral("版本号")), schema::kBaseVersion);
    EXPECT_EQ(db.first(QStringLiteral("select * from 串口编号"))->toInt(QStringLiteral("编号")), 0);
    EXPECT_TRUE(db.first(QStringLiteral("select * from 录音设备"))->text(QStringLiteral("录音设备")).isEmpty());

    // One slot per hour in both statistics tables, in the time format of the order rows.
    for (const char *table : { "点餐时间统计临时表", "送餐时间统计临时表" }) {
        const Rows periods = db.rows(QStringLiteral("select * from %1 order by 时间段1").arg(QString::fromUtf8(table)));
        ASSERT_EQ(periods.size(), 24u) << table;
        EXPECT_EQ(periods.front().text(QStringLiteral("时间段1")), QStringLiteral("00:00:00"));
        EXPECT_EQ(periods.back().text(QStringLiteral("时间段2")), QStringLiteral("23:59:59"));
    }

    // The administrator, with every right and a hashed password.
    const auto admin = db.first(QStringLiteral("select * from 登陆 where 用户 = :用户"),
                                { { QStringLiteral("用户"), schema::kAdminName } });
    ASSERT_TRUE(admin);
    EXPECT_EQ(admin->text(QStringLiteral("权限")), QStringLiteral("管理员"));
    EXPECT_EQ(admin->text(QStringLiteral("部门")), QStringLiteral("总部"));
    for (int i = 1; i <= 9; ++i)
        EXPECT_EQ(admin->text(QStringLiteral("right%1").arg(i)), QString(39, QLatin1Char('1')));
    EXPECT_TRUE(password::isHash(admin->text(QStringLiteral("密码"))));
    EXPECT_TRUE(password::verify(schema::kAdminPassword, admin->text(QStringLiteral("密码"))));
    EXPECT_FALSE(password::verify(QStringLiteral("wrong"), admin->text(QStringLiteral("密码"))));
}

TEST_P(SchemaTest, CreatingAgainKeepsWhatIsThere)
{
    Db &db = t->db();
    schema::create(db, DbRole::Main);
    db.exec(QStringLiteral("update 店名 set 店名 = :店名"), { { QStringLiteral("店名"), QStringLiteral("鲜菜坊") } });
    db.exec(QStringLiteral("insert into 客户资料 (客户姓名) values ('老张')"));
    schema::create(db, DbRole::Main);
    EXPECT_EQ(db.scalar(QStringLiteral("select count(*) from 店名")).toInt(), 1);
    EXPECT_EQ(db.scalar(QStringLiteral("select 店名 from 店名")).toString(), QStringLiteral("鲜菜坊"));
    EXPECT_EQ(db.scalar(QStringLiteral("select count(*) from 登陆")).toInt(), 1);
    EXPECT_EQ(db.scalar(QStringLiteral("select count(*) from 客户资料")).toInt(), 1);
}

TEST_P(SchemaTest, KindsHoldTheirValues)
{
    Db &db = t->db();
    schema::create(db, DbRole::Main);
    // An order row with a fractional quantity, money with four decimals, a date, a boolean.
    db.exec(QStringLiteral("insert into 产品销售开票 (单据编号, 购物日期, 数量, 单价, 应付货款, 发货完毕) "
                           "values (:no, :rq, :sl, :dj, :je, :fh)"),
            { { QStringLiteral("no"), QStringLiteral("202612110001") },
              { QStringLiteral("rq"), QStringLiteral("2026-12-11") },
              { QStringLiteral("sl"), 1.5 },
              { QStringLiteral("dj"), Money::fromUnits(123456).toVariant() },
              { QStringLiteral("je"), Money::fromUnits(185184).toVariant() },
              { QStringLiteral("fh"), false } });
    const auto r = db.first(QStringLiteral("select * from 产品销售开票"));
    ASSERT_TRUE(r);
    EXPECT_DOUBLE_EQ(r->toDouble(QStringLiteral("数量")), 1.5);
    EXPECT_EQ(r->money(QStringLiteral("单价")).units(), 123456);
    EXPECT_EQ(r->text(QStringLiteral("购物日期")), QStringLiteral("2026-12-11"));
    EXPECT_FALSE(r->toBool(QStringLiteral("发货完毕")));
    EXPECT_EQ(db.scalar(QStringLiteral("select sum(应付货款) from 产品销售开票 where 购物日期 = :rq"),
                        { { QStringLiteral("rq"), QStringLiteral("2026-12-11") } })
                  .toDouble(),
              18.5184);
}

TEST_P(SchemaTest, OneSignalPerStore)
{
    Db &db = t->db();
    schema::create(db, DbRole::Main);
    const auto signal = QStringLiteral("insert into 小区域订单 (小区域) values (:小区域) on conflict do nothing");
    db.exec(signal, { { QStringLiteral("小区域"), QStringLiteral("东门店") } });
    db.exec(signal, { { QStringLiteral("小区域"), QStringLiteral("东门店") } });
    db.exec(signal, { { QStringLiteral("小区域"), QStringLiteral("西门店") } });
    EXPECT_EQ(db.scalar(QStringLiteral("select count(*) from 小区域订单")).toInt(), 2);
}

INSTANTIATE_TEST_SUITE_P(Backends, SchemaTest, testing::ValuesIn(verdalo::test::allBackends()),
                         verdalo::test::backendName);
