#include "BusyShop.h"

#include "core/BusinessDate.h"
#include "data/Schema.h"

#include <QElapsedTimer>
#include <QProcess>

namespace verdalo::bench {
namespace {

// Numbers 1..n as a row source, in each back end's dialect.
QString series(const Db &db, const QString &n)
{
    return db.isPostgres() ? QStringLiteral("select generate_series(1, %1) as i").arg(n)
                           : QStringLiteral("with recursive n(i) as (select 1 union all select i + 1 from n where i < %1) "
                                            "select i from n").arg(n);
}

QString dayExpr(const Db &db, const QString &daysBack)
{
    return db.isPostgres() ? QStringLiteral("(cast(:today as date) - (%1)::int)").arg(daysBack)
                           : QStringLiteral("date(:today, '-' || (%1) || ' days')").arg(daysBack);
}

QString compact(const Db &db, const QString &date)
{
    return db.isPostgres() ? QStringLiteral("to_char(%1, 'YYYYMMDD')").arg(date)
                           : QStringLiteral("replace(%1, '-', '')").arg(date);
}

QString pad4(const Db &db, const QString &n)
{
    return db.isPostgres() ? QStringLiteral("lpad((%1)::text, 4, '0')").arg(n)
                           : QStringLiteral("substr('0000' || (%1), -4, 4)").arg(n);
}

} // namespace

void BusyShop::generate(Db &db) const
{
    schema::create(db, DbRole::Main);
    const Params p { { QStringLiteral("today"), dateText(today) } };
    Transaction tx(db);
    db.exec(QStringLiteral("insert into 菜单表 (食物总类, 名称, 单价, 拼音, 排序编号, 当前库存) select '蔬菜', '商品' || i, "
                           "1 + (i % 50), 'sp' || i, i, 1000 from (%1) s")
                .arg(series(db, QString::number(items))));
    db.exec(QStringLiteral("insert into 客户资料 (客户姓名, 联系电话, 联系地址, 客户类型, 购物次数, 购物金额, 可用积分, 帐户余额, "
                           "最后订菜时间) select '客户' || i, '139' || (10000000 + i), '人民路' || i || '号', '普通', 0, 0, 0, 0, %2 "
                           "from (%1) s")
                .arg(series(db, QString::number(customers)), dayExpr(db, QStringLiteral("i % 730"))),
            p);
    // History: three rows per order, 1 + (k % 730) days ago.
    const QString k = QStringLiteral("((i - 1) / 3)");
    const QString day = dayExpr(db, QStringLiteral("1 + %1 % 730").arg(k));
    const QString orderInDay = QStringLiteral("(%1 / 730 %% 9999) + 1").arg(k).replace(QStringLiteral("%%"), QStringLiteral("%"));
    db.exec(QStringLiteral("insert into 产品销售开票 (单据编号, 购物日期, 时间, 产品名称, 数量, 单价, 应付货款, 折后金额, 欠款, 提成, "
                           "配送工, 客户编号, 客户姓名, 电话, 区域, 地址, 小区域, 收款方式, 发货完毕, 交款完毕, 录音文件) "
                           "select %2 || %3, %1, '10:00:00', '商品' || (1 + i % %4), 1, 5, 5, 15, 0, 1, '张三', "
                           "(1 + i % %5), '客户', '13900000000', '城东', '人民路', "
                           "case i % 3 when 0 then '总部' when 1 then '东门店' else '西门店' end, '现金', true, true, '' "
                           "from (%6) s")
                .arg(day, compact(db, day), pad4(db, orderInDay), QString::number(items), QString::number(customers),
                     series(db, QString::number(historyRows))),
            p);
    // Today: every order open or half done, spread over the day.
    const QString todayDay = dayExpr(db, QStringLiteral("0"));
    db.exec(QStringLiteral("insert into 产品销售开票 (单据编号, 购物日期, 时间, 产品名称, 数量, 单价, 应付货款, 折后金额, 欠款, 提成, "
                           "配送工, 客户编号, 客户姓名, 电话, 区域, 地址, 小区域, 收款方式, 发货完毕, 交款完毕, 录音文件) "
                           "select %2 || %3, %1, '12:00:00', '商品' || (1 + i % %4), 1, 5, 5, 15, 5, 1, '张三', "
                           "(1 + i % %5), '客户', '13900000000', '城东', '人民路', "
                           "case i % 3 when 0 then '总部' when 1 then '东门店' else '西门店' end, '现金', i % 2 = 0, i % 4 = 0, '' "
                           "from (%6) s")
                .arg(todayDay, compact(db, todayDay), pad4(db, QStringLiteral("1 + (i - 1) / 3")), QString::number(items),
                     QString::number(customers), series(db, QString::number(ordersToday * 3))),
            p);
    tx.commit();
    db.exec(QStringLiteral("analyze"));
}

BenchSetup BenchSetup::parse(const QStringList &args, const QString &folder)
{
    BenchSetup s;
    s.sqlitePath = folder + QStringLiteral("/data.db");
    for (qsizetype i = 1; i + 1 < args.size(); ++i) {
        if (args[i] == QLatin1String("--pg"))
            s.pg = args[i + 1];
        else if (args[i] == QLatin1String("--rows"))
            s.rows = args[i + 1].toInt();
        else if (args[i] == QLatin1String("--orders"))
            s.orders = args[i + 1].toInt();
    }
    return s;
}

std::unique_ptr<Db> BenchSetup::open(const QDate &today) const
{
    auto db = pg.isEmpty() ? Db::openSqlite(sqlitePath, Db::OpenMode::CreateIfMissing)
                           : Db::openPostgres(PgSettings::fromConnectionString(pg));
    if (!db->tableExists(QStringLiteral("产品销售开票"))
        || db->scalar(QStringLiteral("select count(*) from 产品销售开票")).toLongLong() == 0) {
        BusyShop shop;
        shop.historyRows = rows;
        shop.today = today;
        shop.generate(*db);
    }
    return db;
}

QStringList BenchSetup::client() const
{
    return pg.isEmpty() ? QStringList { QStringLiteral("sqlite3"), sqlitePath }
                        : QStringList { QStringLiteral("psql"), pg, QStringLiteral("-qAtc") };
}

double clientMillis(const QStringList &command, const QString &sql)
{
    auto run = [&](const QString &statement) {
        QElapsedTimer t;
        t.start();
        QProcess p;
        p.start(command.first(), command.mid(1) << statement);
        p.waitForFinished(-1);
        return static_cast<double>(t.nsecsElapsed()) / 1e6;
    };
    double empty = 0;
    double full = 0;
    for (int i = 0; i < 5; ++i) {
        empty += run(QStringLiteral("select 1"));
        full += run(sql);
    }
    return std::max(0.01, (full - empty) / 5);
}

} // namespace verdalo::bench
