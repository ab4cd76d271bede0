#include "data/Schema.h"
#include "data/SchemaUpgrade.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

using namespace verdalo;
using verdalo::test::TestDatabase;

// The main database on each back end; the patch database is always the workstation's file.
class UpgradeTest : public testing::TestWithParam<Backend>
{
protected:
    void SetUp() override
    {
        t = std::make_unique<TestDatabase>(GetParam());
        VERDALO_REQUIRE_BACKEND(*t);
        schema::create(t->db(), DbRole::Main);
        patch = Db::openSqlite(patchDir.filePath(QStringLiteral("buding.db")), Db::OpenMode::CreateIfMissing, false);
        schema::create(*patch, DbRole::Patch);
        key = t->db().dialect().patchKey();
        other = key == QLatin1String("sql") ? QStringLiteral("access") : QStringLiteral("sql");
    }
    void addPatch(int version, const QString &backend, const QString &sql)
    {
        patch->exec(QStringLiteral("insert into 命令表 (版本号, 数据库, sql语句) values (:v, :b, :s)"),
                    { { QStringLiteral("v"), version }, { QStringLiteral("b"), backend }, { QStringLiteral("s"), sql } });
    }
    void setVersion(const QString &v)
    {
        t->db().exec(QStringLiteral("update 版本号 set 版本号 = :v"), { { QStringLiteral("v"), v } });
    }
    QString version() { return t->db().scalar(QStringLiteral("select 版本号 from 版本号")).toString(); }
    QStringList marks()
    {
        QStringList out;
        for (const Row &r : t->db().rows(QStringLiteral("select 口味 from 口味 order by id")))
            out.append(r.text(QStringLiteral("口味")));
        return out;
    }
    static QString mark(const QString &m) { return QStringLiteral("insert into 口味 (口味) values ('%1')").arg(m); }

    std::unique_ptr<TestDatabase> t;
    QTemporaryDir patchDir;
    std::unique_ptr<Db> patch;
    QString key;
    QString other;
};

TEST_P(UpgradeTest, RunsOnlyThisBackEndsNewerStatementsInTableOrder)
{
    addPatch(2, key, mark(QStringLiteral("v2")));
    addPatch(1, key, mark(QStringLiteral("v1-already-applied")));
    addPatch(4, key, mark(QStringLiteral("v4")));
    addPatch(3, key, mark(QStringLiteral("v3")));
    addPatch(9, other, mark(QStringLiteral("other-backend")));

    const UpgradeResult r = upgradeSchema(t->db(), *patch);
    EXPECT_TRUE(r.ok) << r.error.toStdString();
    EXPECT_EQ(r.fromVersion, QStringLiteral("1"));
    EXPECT_EQ(r.toVersion, QStringLiteral("4")) << "the target is the maximum over this back end's rows only";
    EXPECT_EQ(marks(), (QStringList { QStringLiteral("v2"), QStringLiteral("v4"), QStringLiteral("v3") }));
    EXPECT_EQ(version(), QStringLiteral("4"));
}

TEST_P(UpgradeTest, AFailingStatementIsSkippedAndTheVersionStillMoves)
{
    addPatch(2, key, mark(QStringLiteral("first")));
    addPatch(2, key, QStringLiteral("alter table 没有这个表 add 新列 text"));
    addPatch(3, key, mark(QStringLiteral("third")));
    const UpgradeResult r = upgradeSchema(t->db(), *patch);
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.ran, 2);
    EXPECT_EQ(r.failed, 1);
    EXPECT_EQ(marks(), (QStringList { QStringLiteral("first"), QStringLiteral("third") }));
    EXPECT_EQ(version(), QStringLiteral("3"));

    // At the target nothing runs again, and the version row is written again with the same value.
    t->db().exec(QStringLiteral("insert into 版本号 (版本号) values ('3')"));
    const UpgradeResult again = upgradeSchema(t->db(), *patch);
    EXPECT_EQ(again.ran + again.failed, 0);
    EXPECT_TRUE(again.versionWritten);
    EXPECT_EQ(t->db().scalar(QStringLiteral("select count(*) from 版本号")).toInt(), 1);
    EXPECT_EQ(marks().size(), 2);
}

TEST_P(UpgradeTest, VersionsAreComparedAsNumbersWithoutDots)
{
    // "1.0" stands for 10; with the database at "1.0" only the statements above 10 run.
    setVersion(QStringLiteral("1.0"));
    addPatch(9, key, mark(QStringLiteral("nine")));
    addPatch(10, key, mark(QStringLiteral("ten")));
    addPatch(11, key, mark(QStringLiteral("eleven")));
    const UpgradeResult r = upgradeSchema(t->db(), *patch);
    EXPECT_EQ(r.fromVersion, QStringLiteral("10"));
    EXPECT_EQ(marks(), (QStringList { QStringLiteral("eleven") }));
    EXPECT_EQ(version(), QStringLiteral("11"));
}

TEST_P(UpgradeTest, AnEmptyVersionTableTakesEveryStatement)
{
    t->db().exec(QStringLiteral("delete from 版本号"));
    addPatch(1, key, mark(QStringLiteral("one")));
    addPatch(2, key, mark(QStringLiteral("two")));
    const UpgradeResult r = upgradeSchema(t->db(), *patch);
    EXPECT_TRUE(r.fromVersion.isEmpty());
    EXPECT_EQ(marks().size(), 2);
    EXPECT_EQ(version(), QStringLiteral("2"));
}

TEST_P(UpgradeTest, NothingForThisBackEndLeavesTheVersionAlone)
{
    addPatch(5, other, mark(QStringLiteral("other")));
    const UpgradeResult r = upgradeSchema(t->db(), *patch);
    EXPECT_TRUE(r.ok);
    EXPECT_FALSE(r.versionWritten);
    EXPECT_EQ(version(), QStringLiteral("1"));
    EXPECT_TRUE(marks().isEmpty());
}

TEST_P(UpgradeTest, AnUnreadablePatchTableReportsAndTouchesNothing)
{
    addPatch(2, key, mark(QStringLiteral("x")));
    patch->exec(QStringLiteral("drop table 命令表"));
    const UpgradeResult r = upgradeSchema(t->db(), *patch);
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.error.contains(QStringLiteral("命令表"))) << r.error.toStdString();
    EXPECT_EQ(version(), QStringLiteral("1"));
}

INSTANTIATE_TEST_SUITE_P(Backends, UpgradeTest, testing::ValuesIn(verdalo::test::allBackends()),
                         verdalo::test::backendName);
