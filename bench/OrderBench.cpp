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

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTemporaryDir dir;
    const bench::BenchSetup setup = bench::BenchSetup::parse(app.arguments(), dir.path());
    const QDate today = QDate::currentDate();
    const auto db = setup.open(today);
    const int orders = setup.orders;

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
    FixedClock clock(QDateTime(today, QTime(12, 0)));
    OrderSaver saver(*db, SaveSettings {}, clock);
    saver.save(f, lines, {}); // warm up
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < orders; ++i)
        saver.save(f, lines, {});
    const double perOrder = static_cast<double>(t.nsecsElapsed()) / 1e6 / orders;

    // The same work as literal statements in one transaction.
    const QString d = dateText(today);
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
    const double raw = bench::clientMillis(setup.client(), sql);
    out << "save of a 10-line order: " << perOrder << " ms; client " << raw << " ms; ratio " << perOrder / raw << Qt::endl;
    return 0;
}
