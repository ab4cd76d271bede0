// The order board on a busy shop's data: the automatic refresh of a day of 3,000 orders and a month's query.
// Usage: board_bench [--pg "host=... dbname=..."] [--rows N]   (default: a SQLite file in a temporary folder)
// Each figure is also measured for the same statement run by sqlite3 / psql, and the ratio printed.
#include "BusyShop.h"
#include "board/BoardService.h"
#include "core/BusinessDate.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>

using namespace verdalo;

namespace {

template<typename F>
double millis(F &&f, int runs = 5)
{
    f(); // warm up
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < runs; ++i)
        f();
    return static_cast<double>(t.nsecsElapsed()) / 1e6 / runs;
}

// The same statement run by the database's own command-line client (its start-up time subtracted).
double clientMillis(const QStringList &command, const QString &sql)
{
    auto run = [&](const QString &statement) {
        QProcess p;
        p.start(command.first(), command.mid(1) << statement);
        p.waitForFinished(-1);
    };
    const double empty = millis([&] { run(QStringLiteral("select 1")); }, 3);
    const double full = millis([&] { run(sql); }, 3);
    return std::max(0.01, full - empty);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    const QStringList args = app.arguments();
    QString pg;
    int rows = 2000000;
    for (qsizetype i = 1; i + 1 < args.size(); ++i) {
        if (args[i] == QLatin1String("--pg"))
            pg = args[i + 1];
        if (args[i] == QLatin1String("--rows"))
            rows = args[i + 1].toInt();
    }
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("data.db"));
    std::unique_ptr<Db> db = pg.isEmpty() ? Db::openSqlite(path, Db::OpenMode::CreateIfMissing)
                                          : Db::openPostgres(PgSettings::fromConnectionString(pg));
    bench::BusyShop shop;
    shop.historyRows = rows;
    shop.today = QDate::currentDate();
    QElapsedTimer gen;
    gen.start();
    if (!db->tableExists(QStringLiteral("产品销售开票"))
        || db->scalar(QStringLiteral("select count(*) from 产品销售开票")).toLongLong() == 0)
        shop.generate(*db);
    out << "data: " << db->scalar(QStringLiteral("select count(*) from 产品销售开票")).toLongLong() << " order rows, generated in "
        << gen.elapsed() << " ms" << Qt::endl;

    BoardService board(*db);
    BoardFilter today;
    BoardFilter month;
    month.today = false;
    month.from = shop.today.addDays(-30);
    month.to = shop.today;
    const double refresh = millis([&] {
        board.orderList(today, shop.today, QStringLiteral("菜品"), false);
        board.itemList(today, shop.today, false);
    });
    const double query = millis([&] {
        board.orderList(month, shop.today, QStringLiteral("菜品"), true);
        board.itemList(month, shop.today, true);
    });

    const QString d = dateText(shop.today);
    const QString orderSql = QStringLiteral(
        "select 单据编号,配送工,客户编号,客户姓名,区域,地址,交款完毕,发货完毕,时间,电话,折后金额 as 应付货款,送餐日期,送餐时间,购物日期,"
        "小区域,发货备注,录音文件,sum(提成) as 提成,收款方式,手工编码 from 产品销售开票 where %1 group by 单据编号,配送工,客户编号,"
        "客户姓名,区域,地址,交款完毕,发货完毕,时间,电话,送餐日期,送餐时间,购物日期,小区域,发货备注,录音文件,折后金额,收款方式,手工编码 "
        "order by 单据编号; select * from 产品销售开票 where %1 order by 时间, id;");
    const QString daySql = orderSql.arg(QStringLiteral("购物日期='%1'").arg(d));
    const QString monthSql = orderSql.arg(QStringLiteral("购物日期 between '%1' and '%2'").arg(dateText(month.from), d));
    const QStringList client = pg.isEmpty() ? QStringList { QStringLiteral("sqlite3"), path }
                                            : QStringList { QStringLiteral("psql"), pg, QStringLiteral("-qAtc") };
    const double rawRefresh = clientMillis(client, daySql);
    const double rawQuery = clientMillis(client, monthSql);
    out << "board refresh (today, 3000 orders): " << refresh << " ms; client " << rawRefresh << " ms; ratio "
        << refresh / rawRefresh << Qt::endl;
    out << "board query (30 days): " << query << " ms; client " << rawQuery << " ms; ratio " << query / rawQuery << Qt::endl;
    return 0;
}
