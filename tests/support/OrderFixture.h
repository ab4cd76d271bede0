#pragma once

#include "core/Db.h"
#include "core/Money.h"

namespace verdalo::test {

// One stored order row with the values the board and the reports read.
struct OrderRow
{
    QString number;
    QString date;
    QString time = QStringLiteral("10:00:00");
    QString item = QStringLiteral("白菜");
    double quantity = 1;
    const char *price = "10";
    const char *total = "10"; // 折后金额, the order's total
    const char *commission = "0";
    QString branch = QStringLiteral("总部");
    bool paid = false;
    bool dispatched = false;
    QString payment = QStringLiteral("现金");
    QString customer = QStringLiteral("王先生");
    QString phone = QStringLiteral("13800138000");
};

inline void addOrderRow(Db &db, const OrderRow &o)
{
    Money price, total, commission;
    Money::parse(QString::fromLatin1(o.price), &price);
    Money::parse(QString::fromLatin1(o.total), &total);
    Money::parse(QString::fromLatin1(o.commission), &commission);
    db.exec(QStringLiteral("insert into 产品销售开票 (单据编号, 购物日期, 时间, 产品名称, 数量, 单价, 应付货款, 折后金额, 提成, "
                           "小区域, 交款完毕, 发货完毕, 收款方式, 客户姓名, 电话, 地址, 区域, 配送工, 客户编号, 录音文件, 欠款) "
                           "values (:no, :rq, :sj, :item, :qty, :price, :amount, :total, :tc, :branch, :paid, :sent, :pay, "
                           ":name, :phone, '人民路1号', '城东', '张三', '1', '', :amount)"),
            { { QStringLiteral("no"), o.number },
              { QStringLiteral("rq"), o.date },
              { QStringLiteral("sj"), o.time },
              { QStringLiteral("item"), o.item },
              { QStringLiteral("qty"), o.quantity },
              { QStringLiteral("price"), price.toVariant() },
              { QStringLiteral("amount"), price.times(o.quantity).toVariant() },
              { QStringLiteral("total"), total.toVariant() },
              { QStringLiteral("tc"), commission.toVariant() },
              { QStringLiteral("branch"), o.branch },
              { QStringLiteral("paid"), o.paid },
              { QStringLiteral("sent"), o.dispatched },
              { QStringLiteral("pay"), o.payment },
              { QStringLiteral("name"), o.customer },
              { QStringLiteral("phone"), o.phone } });
}

} // namespace verdalo::test
