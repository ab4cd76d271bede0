#include "core/Db.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

using namespace verdalo;
using verdalo::test::TestDatabase;

class DbTest : public testing::TestWithParam<Backend>
{
protected:
    void SetUp() override
    {
        t = std::make_unique<TestDatabase>(GetParam());
        VERDALO_REQUIRE_BACKEND(*t);
        Db &db = t->db();
        const Dialect &d = db.dialect();
        db.exec(QStringLiteral("create table 客户 (id %1, 姓名 text, 电话 text, 余额 %2, 生日 %3, 会员 boolean)")
                    .arg(d.columnType(ColumnKind::AutoId), d.columnType(ColumnKind::Money),
                         d.columnType(ColumnKind::Date)));
    }
    std::unique_ptr<TestDatabase> t;
};

TEST_P(DbTest, BindsChineseNamesAndLeavesLiteralsAlone)
{
    Db &db = t->db();
    // Operator text full of quotes, colons and SQL never becomes part of the statement.
    const QString evil = QStringLiteral("王'五\"; drop table 客户; -- :电话");
    db.exec(QStringLiteral("insert into 客户 (姓名, 电话, 余额, 生日, 会员) values (:姓名, :电话, :余额, :生日, :会员)"),
            { { QStringLiteral("姓名"), evil },
              { QStringLiteral("电话"), QStringLiteral("13800138000") },
              { QStringLiteral("余额"), Money::fromUnits(125000).toVariant() },
              { QStringLiteral("生日"), QStringLiteral("1990-05-04") },
              { QStringLiteral("会员"), true } });

    const auto row = db.first(QStringLiteral("select 姓名, 电话, 余额, 生日, 会员, ':电话' as 字面, 'it''s' as 引号 "
                                             "from 客户 where 电话 = :电话 and 姓名 = :姓名"),
                              { { QStringLiteral("电话"), QStringLiteral("13800138000") },
                                { QStringLiteral("姓名"), evil } });
    ASSERT_TRUE(row);
    EXPECT_EQ(row->text(QStringLiteral("姓名")), evil);
    EXPECT_EQ(row->money(QStringLiteral("余额")).units(), 125000);
    // Dates read as yyyy-mm-dd text on both back ends.
    EXPECT_EQ(row->text(QStringLiteral("生日")), QStringLiteral("1990-05-04"));
    EXPECT_TRUE(row->toBool(QStringLiteral("会员")));
    EXPECT_EQ(row->text(QStringLiteral("字面")), QStringLiteral(":电话"));
    EXPECT_EQ(row->text(QStringLiteral("引号")), QStringLiteral("it's"));
    EXPECT_TRUE(db.tableExists(QStringLiteral("客户")));

    // A date column compares with a bound date text; null binds as null.
    EXPECT_EQ(db.scalar(QStringLiteral("select count(*) from 客户 where 生日 between :rq1 and :rq2"),
                        { { QStringLiteral("rq1"), QStringLiteral("1990-05-04") },
                          { QStringLiteral("rq2"), QStringLiteral("1990-05-04") } })
                  .toInt(),
              1);
    EXPECT_EQ(db.exec(QStringLiteral("update 客户 set 电话 = :电话"), { { QStringLiteral("电话"), QVariant() } }), 1);
    EXPECT_TRUE(db.first(QStringLiteral("select 电话 from 客户"))->isNull(QStringLiteral("电话")));
}

TEST_P(DbTest, ReturningGivesTheNewId)
{
    Db &db = t->db();
    const auto insert = QStringLiteral("insert into 客户 (姓名) values (:姓名) returning id");
    const qlonglong first = db.scalar(insert, { { QStringLiteral("姓名"), QStringLiteral("甲") } }).toLongLong();
    const qlonglong second = db.scalar(insert, { { QStringLiteral("姓名"), QStringLiteral("乙") } }).toLongLong();
    EXPECT_GT(first, 0);
    EXPECT_EQ(second, first + 1);
}

TEST_P(DbTest, ErrorsCarryTheDatabaseTextAndMissingParametersAreCaught)
{
    Db &db = t->db();
    try {
        db.exec(QStringLiteral("select * from 不存在的表"));
        FAIL() << "expected an error";
    } catch (const DbError &e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("不存在的表"))) << e.what();
    }
    EXPECT_THROW(db.exec(QStringLiteral("update 客户 set 姓名 = :姓名")), DbError);
}

TEST_P(DbTest, TransactionsRollBackUnlessCommitted)
{
    Db &db = t->db();
    const auto insert = QStringLiteral("insert into 客户 (姓名) values (:姓名)");
    const auto count = [&db] { return db.scalar(QStringLiteral("select count(*) from 客户")).toInt(); };
    try {
        Transaction tx(db);
        db.exec(insert, { { QStringLiteral("姓名"), QStringLiteral("甲") } });
        db.exec(QStringLiteral("insert into 没有这个表 values (1)"));
        tx.commit();
    } catch (const DbError &) {
    }
    EXPECT_EQ(count(), 0) << "a failed statement must undo the whole unit";

    {
        Transaction outer(db);
        db.exec(insert, { { QStringLiteral("姓名"), QStringLiteral("乙") } });
        {
            Transaction inner(db);
            db.exec(insert, { { QStringLiteral("姓名"), QStringLiteral("丙") } });
            // not committed: only the inner part goes
        }
        outer.commit();
    }
    EXPECT_EQ(count(), 1);
    EXPECT_EQ(db.transactionDepth(), 0);

    // Another connection sees nothing of an open transaction.
    auto other = t->openAnother();
    {
        Transaction tx(db);
        db.exec(insert, { { QStringLiteral("姓名"), QStringLiteral("丁") } });
        if (db.isPostgres()) {
            EXPECT_EQ(other->scalar(QStringLiteral("select count(*) from 客户")).toInt(), 1);
        }
        tx.commit();
    }
    EXPECT_EQ(other->scalar(QStringLiteral("select count(*) from 客户")).toInt(), 2);
}

TEST_P(DbTest, ConnectionCheckAndReconnect)
{
    Db &db = t->db();
    EXPECT_TRUE(db.isAlive());
    if (db.isPostgres()) {
        // The server ends this workstation's session, as a restart of the server would.
        const QVariant pid = db.scalar(QStringLiteral("select pg_backend_pid()"));
        auto admin = t->openAnother();
        admin->exec(QStringLiteral("select pg_terminate_backend(:pid)"), { { QStringLiteral("pid"), pid } });
        EXPECT_FALSE(db.isAlive());
    }
    QString error;
    ASSERT_TRUE(db.reconnect(&error)) << error.toStdString();
    EXPECT_TRUE(db.isAlive());
    EXPECT_EQ(db.scalar(QStringLiteral("select count(*) from 客户")).toInt(), 0);
}

TEST_P(DbTest, KeptStatementsSurviveSchemaChangesAndNesting)
{
    Db &db = t->db();
    const auto insert = QStringLiteral("insert into 客户 (姓名) values (:姓名)");
    for (const char *n : { "甲", "乙" })
        db.exec(insert, { { QStringLiteral("姓名"), QString::fromUtf8(n) } });
    const auto select = QStringLiteral("select * from 客户 where 姓名 <> :x order by id");
    EXPECT_EQ(db.rows(select, { { QStringLiteral("x"), QStringLiteral("-") } }).size(), 2u);
    // The table changes shape under a statement that is kept prepared.
    db.exec(QStringLiteral("alter table 客户 add column 备注 text"));
    const Rows after = db.rows(select, { { QStringLiteral("x"), QStringLiteral("-") } });
    ASSERT_EQ(after.size(), 2u);
    EXPECT_TRUE(after[0].has(QStringLiteral("备注")));
    // The same statement run again while its result is being read.
    int inner = 0;
    db.each(select, { { QStringLiteral("x"), QStringLiteral("-") } }, [&](const Row &) {
        inner += static_cast<int>(db.rows(select, { { QStringLiteral("x"), QStringLiteral("甲") } }).size());
    });
    EXPECT_EQ(inner, 2);
    // A statement first prepared inside a transaction that is rolled back still runs afterwards.
    const auto count = QStringLiteral("select count(*) from 客户 where 姓名 = :n");
    {
        Transaction rolledBack(db);
        EXPECT_EQ(db.scalar(count, { { QStringLiteral("n"), QStringLiteral("甲") } }).toInt(), 1);
    }
    EXPECT_EQ(db.scalar(count, { { QStringLiteral("n"), QStringLiteral("乙") } }).toInt(), 1);
    // And after a failed statement aborted the transaction.
    try {
        Transaction failing(db);
        db.exec(QStringLiteral("insert into 客户 (姓名) values (:姓名) returning 不存在"), { { QStringLiteral("姓名"), QStringLiteral("x") } });
        failing.commit();
    } catch (const DbError &) {
    }
    EXPECT_EQ(db.scalar(count, { { QStringLiteral("n"), QStringLiteral("甲") } }).toInt(), 1);
    // A transaction commits with kept statements around.
    Transaction tx(db);
    db.exec(insert, { { QStringLiteral("姓名"), QStringLiteral("丙") } });
    EXPECT_EQ(db.rows(select, { { QStringLiteral("x"), QStringLiteral("-") } }).size(), 3u);
    tx.commit();
    EXPECT_EQ(db.scalar(QStringLiteral("select count(*) from 客户")).toInt(), 3);
}

INSTANTIATE_TEST_SUITE_P(Backends, DbTest, testing::ValuesIn(verdalo::test::allBackends()),
                         verdalo::test::backendName);

TEST(DbOpen, MissingCorruptAndReadOnlyFiles)
{
    QTemporaryDir dir;
    const QString missing = dir.filePath(QStringLiteral("missing.db"));
    EXPECT_THROW(Db::openSqlite(missing, Db::OpenMode::ReadWrite), DbError);
    EXPECT_THROW(Db::openSqlite(missing, Db::OpenMode::ReadOnly), DbError);
    EXPECT_FALSE(QFile::exists(missing)) << "opening must not create the file";

    const QString corrupt = dir.filePath(QStringLiteral("corrupt.db"));
    {
        QFile f(corrupt);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(4096, 'x'));
    }
    try {
        Db::openSqlite(corrupt, Db::OpenMode::ReadWrite);
        FAIL() << "a file that is not a database must not open";
    } catch (const DbError &e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("not a database"))) << e.what();
    }

    const QString path = dir.filePath(QStringLiteral("ro.db"));
    Db::openSqlite(path, Db::OpenMode::CreateIfMissing)->exec(QStringLiteral("create table t (a integer)"));
    auto ro = Db::openSqlite(path, Db::OpenMode::ReadOnly);
    EXPECT_EQ(ro->scalar(QStringLiteral("select count(*) from t")).toInt(), 0);
    EXPECT_THROW(ro->exec(QStringLiteral("insert into t values (1)")), DbError);
}

TEST(DbOpen, UnreachableServerFailsWithTheDriverText)
{
    PgSettings s;
    s.setServer(QStringLiteral("127.0.0.1:1"));
    s.user = QStringLiteral("nobody");
    s.database = QStringLiteral("nothing");
    try {
        Db::openPostgres(s);
        FAIL() << "port 1 has no server";
    } catch (const DbError &e) {
        EXPECT_FALSE(e.message().isEmpty());
    }
    PgSettings parsed = PgSettings::fromConnectionString(QStringLiteral("host=127.0.0.1 port=5499 user=postgres dbname=x"));
    EXPECT_EQ(parsed.port, 5499);
    EXPECT_EQ(parsed.database, QStringLiteral("x"));
    parsed.setServer(QStringLiteral("db.shop"));
    EXPECT_EQ(parsed.host, QStringLiteral("db.shop"));
    EXPECT_EQ(parsed.port, 5432);
}
