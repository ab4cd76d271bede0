// Saving a 10-line order on a busy shop's data. Usage: order_bench [--pg "..."] [--rows N] [--orders N]
// Also times one order's statements sent raw through sqlite3 / psql, and prints the ratio.
#include "BusyShop.h"
#include "core/BusinessDate.h"
#include "orders/OrderSaver.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>

using namespace verdalo;

namespace {
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
    double empty = 0, full = 0;
    for (int i = 0; i < 5; ++i) {
        empty += run(QStringLiteral("select 1"));
        full += run(sql);
    }
    return std::max(0.01, (full - empty) / 5);
}
} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    const QStringList args = app.arguments();
    QString pg;
    int rows = 2000000;
    int orders = 200;
    for (qsizetype i = 1; i + 1 < args.size(); ++i) {
        if (args[i] == QLatin1String("--pg"))
            pg = args[i + 1];
        if (args[i] == QLatin1String("--rows"))
            rows = args[i + 1].toInt();
        if (args[i] == QLatin1String("--orders"))
            orders = args[i + 1].toInt();
    }
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("data.db"));
    std::unique_ptr<Db> db = pg.isEmpty() ? Db::openSqlite(path, Db::OpenMode::CreateIfMissing)
                                          : Db::openPostgres(PgSettings::fromConnectionString(pg));
    bench::BusyShop shop;
    shop.historyRows = rows;
    shop.today = QDate::currentDate();
    if (!db->tableExists(QStringLiteral("产品销售开票")) || db->scalar(QStringLiteral("select count(*) from 产品销售开票")).toLongLong() == 0)
        shop.generate(*db);

    std::vector<CartLine> lines(10);
    for (int i = 0; i < 10; ++i) {
        lines[static_cast<size_t>(i)].name = QStringLiteral("商品%1").arg(i + 1);
        lines[static_cast<size_t>(i)].quantity = 1;
        lines[static_cast<size_t>(i)].price = lines[static_cast<size_t>(i)].amount = Money::fromUnits(50000);
    }
    OrderForm f;
    f.customerNumber = QStringLiteral("1");
    f.phone = QStringLiteral("13900000001");
    f.name = QStringLiteral("客户1");
    f.store = QStringLiteral("总部");
    f.discountedText = QStringLiteral("50");
    FixedClock clock(QDateTime(shop.today, QTime(12, 0)));
    OrderSaver saver(*db, SaveSettings {}, clock);
    saver.save(f, lines, {}); // warm up
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < orders; ++i)
        saver.save(f, lines, {});
    const double perOrder = static_cast<double>(t.nsecsElapsed()) / 1e6 / orders;

    // The same work as literal statements in one transaction.
    const QString d = dateText(shop.today);
    QString sql = QStringLiteral("begin; select max(cast(substr(单据编号, 9) as integer)) from 产品销售开票 where 购物日期='%1';"
                                 "update 客户资料 set 购物次数=购物次数+1,购物金额=购物金额+50 where id=1;")
                      .arg(d);
    for (int i = 0; i < 10; ++i) {
        sql += QStringLiteral("insert into 产品销售开票 (单据编号,购物日期,产品名称,数量,应付货款,单价,客户编号,折后金额) values "
                              "('x','%1','商品%2',1,5,5,'1',50); update 菜单表 set 当前库存=当前库存-1 where 名称='商品%2';")
                   .arg(d)
                   .arg(i + 1);
    }
    sql += QStringLiteral("insert into 小区域订单 (小区域) values ('总部') on conflict do nothing; commit;");
    const QStringList client = pg.isEmpty() ? QStringList { QStringLiteral("sqlite3"), path }
                                            : QStringList { QStringLiteral("psql"), pg, QStringLiteral("-qAtc") };
    const double raw = clientMillis(client, sql);
    out << "save of a 10-line order: " << perOrder << " ms; client " << raw << " ms; ratio " << perOrder / raw << Qt::endl;
    return 0;
}
