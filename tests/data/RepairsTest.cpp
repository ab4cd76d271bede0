#include "data/Schema.h"
#include "data/StartupRepairs.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

using namespace verdalo;
using verdalo::test::TestDatabase;

class RepairsTest : public testing::TestWithParam<Backend>
{
protected:
    void SetUp() override
    {
        t = std::make_unique<TestDatabase>(GetParam());
        VERDALO_REQUIRE_BACKEND(*t);
    }
    std::unique_ptr<TestDatabase> t;
};

TEST_P(RepairsTest, FillsNullsAndCanRunAgain)
{
    Db &db = t->db();
    schema::create(db, DbRole::Main);
    db.exec(QStringLiteral("insert into 客户资料 (客户姓名, 购物次数, 购物金额, 可用积分) values ('空', null, null, null)"));
    db.exec(QStringLiteral("insert into 客户资料 (客户姓名, 购物次数, 购物金额, 可用积分) values ('满', 3, 50, 7)"));
    db.exec(QStringLiteral("insert into 客户类型 (客户类型, 折扣率) values ('普通', null), ('会员', 9)"));
    db.exec(QStringLiteral("insert into 菜单表 (名称, 排序编号, 当前库存) values ('白菜', null, null), ('萝卜', 99, 5)"));
    db.exec(QStringLiteral("insert into 种类 (种类, 排序编号) values ('蔬菜', null)"));

    RunStartupRepairs(db);
    RunStartupRepairs(db);

    const auto empty = db.first(QStringLiteral("select * from 客户资料 where 客户姓名 = '空'"));
    EXPECT_EQ(empty->toInt(QStringLiteral("购物次数")), 0);
    EXPECT_TRUE(empty->money(QStringLiteral("购物金额")).isZero());
    EXPECT_FALSE(empty->isNull(QStringLiteral("购物金额")));
    EXPECT_FALSE(empty->isNull(QStringLiteral("可用积分")));
    const auto full = db.first(QStringLiteral("select * from 客户资料 where 客户姓名 = '满'"));
    EXPECT_EQ(full->toInt(QStringLiteral("购物次数")), 3);
    EXPECT_DOUBLE_EQ(full->toDouble(QStringLiteral("可用积分")), 7);
    EXPECT_DOUBLE_EQ(db.scalar(QStringLiteral("select 折扣率 from 客户类型 where 客户类型 = '普通'")).toDouble(), 10);
    EXPECT_DOUBLE_EQ(db.scalar(QStringLiteral("select 折扣率 from 客户类型 where 客户类型 = '会员'")).toDouble(), 9);
    const auto cabbage = db.first(QStringLiteral("select * from 菜单表 where 名称 = '白菜'"));
    EXPECT_EQ(cabbage->toLongLong(QStringLiteral("排序编号")), cabbage->toLongLong(QStringLiteral("id")));
    EXPECT_DOUBLE_EQ(cabbage->toDouble(QStringLiteral("当前库存")), 0);
    EXPECT_EQ(db.scalar(QStringLiteral("select 排序编号 from 菜单表 where 名称 = '萝卜'")).toInt(), 99);
    EXPECT_EQ(db.scalar(QStringLiteral("select 排序编号 from 种类")).toLongLong(),
              db.scalar(QStringLiteral("select 编号 from 种类")).toLongLong());
}

// A database made by an older program: dates kept as text and whole-number quantities.
TEST_P(RepairsTest, OlderColumnTypesAreRepaired)
{
    Db &db = t->db();
    schema::create(db, DbRole::Main);
    db.exec(QStringLiteral("drop table 产品销售开票"));
    db.exec(QStringLiteral("drop table 采购进货主表"));
    db.exec(QStringLiteral("create table 产品销售开票 (id integer, 单据编号 varchar(20), 购物日期 varchar(20), 数量 integer)"));
    db.exec(QStringLiteral("create table 采购进货主表 (货单编号 varchar(20), 填表日期 text)"));
    db.exec(QStringLiteral("insert into 产品销售开票 values (1, '202612110001', '2026-12-11', 2), "
                           "(2, '202612110002', '', 1)"));
    db.exec(QStringLiteral("insert into 采购进货主表 values ('JH2026121101', '2026-12-11 08:30:00')"));

    RunStartupRepairs(db);
    RunStartupRepairs(db); // a second login changes nothing

    db.exec(QStringLiteral("insert into 产品销售开票 (id, 单据编号, 购物日期, 数量) values (3, 'x', :rq, :sl)"),
            { { QStringLiteral("rq"), QStringLiteral("2026-12-12") }, { QStringLiteral("sl"), 1.25 } });
    EXPECT_DOUBLE_EQ(db.scalar(QStringLiteral("select 数量 from 产品销售开票 where id = 3")).toDouble(), 1.25);
    EXPECT_EQ(db.scalar(QStringLiteral("select 购物日期 from 产品销售开票 where id = 1")).toString(),
              QStringLiteral("2026-12-11"));
    EXPECT_EQ(db.scalar(QStringLiteral("select count(*) from 产品销售开票 where 购物日期 between :a and :b"),
                        { { QStringLiteral("a"), QStringLiteral("2026-12-11") },
                          { QStringLiteral("b"), QStringLiteral("2026-12-12") } })
                  .toInt(),
              2);
    if (db.isPostgres()) {
        const auto type = [&db](const char *table, const char *column) {
            return db.scalar(QStringLiteral("select data_type from information_schema.columns where table_schema = "
                                            "current_schema() and table_name = :t and column_name = :c"),
                             { { QStringLiteral("t"), QString::fromUtf8(table) },
                               { QStringLiteral("c"), QString::fromUtf8(column) } })
                .toString();
        };
        EXPECT_EQ(type("产品销售开票", "购物日期"), QStringLiteral("date"));
        EXPECT_EQ(type("采购进货主表", "填表日期"), QStringLiteral("date"));
        EXPECT_EQ(type("产品销售开票", "数量"), QStringLiteral("numeric"));
        // An empty date text became null rather than failing the repair.
        EXPECT_TRUE(db.first(QStringLiteral("select 购物日期 from 产品销售开票 where id = 2"))->isNull(QStringLiteral("购物日期")));
        EXPECT_EQ(db.scalar(QStringLiteral("select 填表日期 from 采购进货主表")).toString(), QStringLiteral("2026-12-11"));
    }
}

TEST_P(RepairsTest, AFailingRepairReportsTheDatabaseText)
{
    Db &db = t->db();
    schema::create(db, DbRole::Main);
    db.exec(QStringLiteral("insert into 客户资料 (客户姓名) values ('新客')"));
    db.exec(QStringLiteral("drop table 客户类型"));
    try {
        RunStartupRepairs(db);
        FAIL() << "the missing table must stop the repairs";
    } catch (const DbError &e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("客户类型"))) << e.what();
    }
    // The repairs before the failing one stay done.
    EXPECT_EQ(db.scalar(QStringLiteral("select count(*) from 客户资料 where 购物次数 is null")).toInt(), 0);
}

INSTANTIATE_TEST_SUITE_P(Backends, RepairsTest, testing::ValuesIn(verdalo::test::allBackends()),
                         verdalo::test::backendName);
