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

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTemporaryDir dir;
    const bench::BenchSetup setup = bench::BenchSetup::parse(app.arguments(), dir.path());
    const QDate today = QDate::currentDate();
    QElapsedTimer gen;
    gen.start();
    const auto db = setup.open(today);
    out << "data: " << db->scalar(QStringLiteral("select count(*) from 产品销售开票")).toLongLong() << " order rows, ready in "
        << gen.elapsed() << " ms" << Qt::endl;

    BoardService board(*db);
    BoardFilter day;
    BoardFilter month;
    month.today = false; // BoardFilter's own flag: a range
    month.from = today.addDays(-30);
    month.to = today;
    const double refresh = millis([&] {
        board.orderList(day, today, QStringLiteral("菜品"), false);
        board.itemList(day, today, false);
    });
    const double query = millis([&] {
        board.orderList(month, today, QStringLiteral("菜品"), true);
        board.itemList(month, today, true);
    });

    const QString d = dateText(today);
    const QString orderSql = QStringLiteral(
        "select 单据编号,配送工,客户编号,客户姓名,区域,地址,交款完毕,发货完毕,时间,电话,折后金额 as 应付货款,送餐日期,送餐时间,购物日期,"
        "小区域,发货备注,录音文件,sum(提成) as 提成,收款方式,手工编码 from 产品销售开票 where %1 group by 单据编号,配送工,客户编号,"
        "客户姓名,区域,地址,交款完毕,发货完毕,时间,电话,送餐日期,送餐时间,购物日期,小区域,发货备注,录音文件,折后金额,收款方式,手工编码 "
        "order by 单据编号; select * from 产品销售开票 where %1 order by 时间, id;");
    const QString daySql = orderSql.arg(QStringLiteral("购物日期='%1'").arg(d));
    const QString monthSql = orderSql.arg(QStringLiteral("购物日期 between '%1' and '%2'").arg(dateText(month.from), d));
    const double rawRefresh = bench::clientMillis(setup.client(), daySql);
    const double rawQuery = bench::clientMillis(setup.client(), monthSql);
    out << "board refresh (today, 3000 orders): " << refresh << " ms; client " << rawRefresh << " ms; ratio "
        << refresh / rawRefresh << Qt::endl;
    out << "board query (30 days): " << query << " ms; client " << rawQuery << " ms; ratio " << query / rawQuery << Qt::endl;
    return 0;
}
