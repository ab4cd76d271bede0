#include "core/SqlParams.h"

#include <gtest/gtest.h>

using namespace verdalo;

TEST(SqlParams, NamedToPositional)
{
    struct Case
    {
        const char *sql;
        const char *positional;
        QStringList names;
    };
    const Case cases[] = {
        { "select * from 产品销售开票 where 单据编号=:单据编号", "select * from 产品销售开票 where 单据编号=?",
          { QStringLiteral("单据编号") } },
        { "update t set a=:a, b=:b where a=:a", "update t set a=?, b=? where a=?",
          { QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("a") } },
        // Text in quotes stays as written, colons and doubled quotes included.
        { "select ':x', 'it''s :y', \"col:z\" from t where c=:c", "select ':x', 'it''s :y', \"col:z\" from t where c=?",
          { QStringLiteral("c") } },
        { "select '12:30:00' as t, x::text from t where d between :rq1 and :rq2",
          "select '12:30:00' as t, x::text from t where d between ? and ?",
          { QStringLiteral("rq1"), QStringLiteral("rq2") } },
        { "select 1 -- :not\n, /* :nor */ :yes", "select 1 -- :not\n, /* :nor */ ?", { QStringLiteral("yes") } },
        { "select :1, a: from t", "select :1, a: from t", {} },
        { "insert into t values (:名称,:单价)", "insert into t values (?,?)",
          { QStringLiteral("名称"), QStringLiteral("单价") } },
        { "select 'unterminated :x", "select 'unterminated :x", {} },
    };
    for (const Case &c : cases) {
        const PositionalSql p = toPositional(QString::fromUtf8(c.sql));
        EXPECT_EQ(p.sql, QString::fromUtf8(c.positional)) << c.sql;
        EXPECT_EQ(p.names, c.names) << c.sql;
    }
}
