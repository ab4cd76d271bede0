#include "printing/ReceiptOrder.h"

#include "core/Session.h"

#include <cmath>

namespace verdalo {

double ReceiptOrder::totalQuantity() const
{
    double q = 0;
    for (const Line &l : lines)
        q += l.quantity;
    return q;
}

QString ReceiptOrder::variable(const QString &name, bool ticketBC) const
{
    if (name == QStringLiteral("公司名称"))
        return shop.title;
    if (name == QStringLiteral("订单号码"))
        return orderNumber;
    if (name == QStringLiteral("订餐日期"))
        return orderDate;
    if (name == QStringLiteral("订餐时间"))
        return orderTime;
    if (name == QStringLiteral("制单员"))
        return operatorName;
    if (name == QStringLiteral("送餐员"))
        return worker;
    if (name == QStringLiteral("送餐时间"))
        return deliveryTime;
    if (name == QStringLiteral("姓名"))
        return this->name;
    if (name == QStringLiteral("电话"))
        return phone;
    if (name == QStringLiteral("地址"))
        return reprint && ticketBC ? address : area + store + address;
    if (name == QStringLiteral("合计"))
        return total;
    if (name == QStringLiteral("合计份数"))
        return QString::number(totalQuantity());
    if (name == QStringLiteral("支付方式"))
        return reprint && ticketBC ? QString() : payment;
    if (name == QStringLiteral("二级区域"))
        return store;
    if (name == QStringLiteral("发货备注"))
        return deliveryNote;
    if (name == QStringLiteral("客户备注"))
        return customerNote;
    if (name == QStringLiteral("餐台号"))
        return QString(); // no table numbers in a delivery shop's orders
    return QString();
}

ReceiptOrder::Shop ReceiptOrder::shopFrom(Db &main)
{
    Shop s;
    if (const auto r = main.first(QStringLiteral("select * from 店名"))) {
        s.title = r->text(QStringLiteral("店名"));
        s.phone = r->text(QStringLiteral("电话"));
        s.website = r->text(QStringLiteral("网址"));
        s.phrase = r->text(QStringLiteral("服务用语"));
        s.leftMargin = r->toInt(QStringLiteral("左边距"));
        s.rightMargin = r->toInt(QStringLiteral("右边距"));
        s.topMargin = r->toInt(QStringLiteral("上边距"));
    }
    return s;
}

ReceiptOrder ReceiptOrder::fromStoredOrder(Db &main, const QString &number, const QString &operatorName)
{
    ReceiptOrder o;
    o.reprint = true;
    o.shop = shopFrom(main);
    o.orderNumber = number;
    o.operatorName = operatorName;
    const Rows rows = main.rows(QStringLiteral("select * from 产品销售开票 where 单据编号=:单据编号 order by id"),
                                { { QStringLiteral("单据编号"), number } });
    for (const Row &r : rows) {
        o.lines.push_back({ r.text(QStringLiteral("产品名称")), r.text(QStringLiteral("口味")), r.toDouble(QStringLiteral("数量")),
                            r.money(QStringLiteral("单价")), r.money(QStringLiteral("应付货款")) });
    }
    if (rows.empty())
        return o;
    const Row &r = rows.front();
    o.orderDate = r.text(QStringLiteral("购物日期"));
    o.orderTime = o.orderDate + QLatin1Char(' ') + r.text(QStringLiteral("时间"));
    o.worker = r.text(QStringLiteral("配送工"));
    o.deliveryTime = r.text(QStringLiteral("送餐时间"));
    o.name = r.text(QStringLiteral("客户姓名"));
    o.phone = r.text(QStringLiteral("电话"));
    o.area = r.text(QStringLiteral("区域"));
    o.store = r.text(QStringLiteral("小区域"));
    o.address = r.text(QStringLiteral("地址"));
    o.payment = r.text(QStringLiteral("收款方式"));
    o.deliveryNote = r.text(QStringLiteral("发货备注"));
    o.total = shortMoney(r.money(QStringLiteral("折后金额")));
    if (const auto c = main.first(QStringLiteral("select 客户类型,客户备注 from 客户资料 where id=:id"),
                                  { { QStringLiteral("id"), r.text(QStringLiteral("客户编号")).toLongLong() } }))
        o.customerNote = c->text(QStringLiteral("客户备注"));
    return o;
}

QString layoutName(Layout l)
{
    switch (l) {
    case Layout::Ordinary:
        return QStringLiteral("普通小票");
    case Layout::Kitchen:
        return QStringLiteral("后厨小票");
    case Layout::ThreePart1:
        return QStringLiteral("三联单第一联");
    case Layout::ThreePart2:
        return QStringLiteral("三联单第二联");
    case Layout::ThreePart3:
        return QStringLiteral("三联单第三联");
    case Layout::Custom:
        return QStringLiteral("自定义报表");
    case Layout::TicketB:
        return QStringLiteral("B小票");
    case Layout::TicketC:
        return QStringLiteral("C小票");
    }
    return {};
}

PrintOptions printOptions(const Settings &s, const QString &style, int copies)
{
    PrintOptions o;
    o.style = style;
    o.afterSave = s.value(QStringLiteral("开单后打印"));
    o.kitchenPrinter = s.value(QStringLiteral("后厨打印机"));
    o.customStyle = s.value(QStringLiteral("默认自定义打印报表样式"));
    o.ticketB = s.isYes(QStringLiteral("B小票是否打印"));
    o.printerB = s.value(QStringLiteral("B小票打印机"));
    o.ticketC = s.isYes(QStringLiteral("C小票是否打印"));
    o.printerC = s.value(QStringLiteral("C小票打印机"));
    o.copies = std::max(1, copies);
    return o;
}

QString customTemplateFile(const QString &style)
{
    static const QStringList styles { QStringLiteral("样式一"), QStringLiteral("样式二"), QStringLiteral("样式三"),
                                      QStringLiteral("样式四"), QStringLiteral("样式五"), QStringLiteral("样式六") };
    const qsizetype i = styles.indexOf(style);
    if (i < 0)
        return {};
    return i == 0 ? QStringLiteral("自定义报表.frf") : QStringLiteral("自定义报表%1.frf").arg(i + 1);
}

std::vector<PrintJob> planPrint(const PrintOptions &o, int lines, const std::function<int(const QString &)> &customHeight)
{
    std::vector<PrintJob> jobs;
    const int extra = std::max(0, lines - 1);
    const bool preview = o.afterSave == QStringLiteral("打印预览");
    const bool outputs = preview || o.afterSave == QStringLiteral("直接打印");
    const bool kitchen = !o.kitchenPrinter.isEmpty();
    auto add = [&](Layout l, const QString &printer, int height, bool forcePreview) {
        if (!outputs && !forcePreview)
            return;
        jobs.push_back({ l, printer, preview || forcePreview, o.copies, height, {} });
    };
    // The reprint always previews the customer's receipts; the kitchen ticket follows the setting.
    const bool reprintPreview = o.reprint;
    const auto receiptPass = [&](bool kitchenPass) {
        if (o.style == QStringLiteral("普通样式")) {
            if (kitchenPass)
                add(Layout::Kitchen, o.kitchenPrinter, 32 * lines + 118, false);
            else
                add(Layout::Ordinary, QString(), 24 * lines + (o.reprint ? 391 : 389), reprintPreview);
        } else if (o.style == QStringLiteral("反馈三联单")) {
            if (kitchenPass || !kitchen)
                add(Layout::ThreePart3, o.kitchenPrinter, 24 * lines + 287, reprintPreview);
            if (!kitchenPass) {
                add(Layout::ThreePart1, QString(), 24 * lines + 475, reprintPreview);
                add(Layout::ThreePart2, QString(), 24 * lines + 412, reprintPreview);
            }
        }
    };
    receiptPass(false);
    if (kitchen)
        receiptPass(true);

    if (o.style == QStringLiteral("自定义报表")) {
        const QString file = customTemplateFile(o.customStyle);
        const int designed = file.isEmpty() || !customHeight ? 0 : customHeight(file);
        if (designed > 0) {
            const int custom = designed + (o.manualForm ? static_cast<int>(std::trunc(22 * 2.8 * extra)) : 0);
            // Templates print at once unless the preview is asked for (even with 不打印).
            jobs.push_back({ Layout::Custom, QString(), preview, o.manualForm ? o.copies : 1, custom, file });
            const int ticketHeight = custom + static_cast<int>(std::trunc(22 * 2.8 * extra));
            if (o.ticketB)
                jobs.push_back({ Layout::TicketB, o.printerB, preview, 1, ticketHeight, QStringLiteral("B小票.frf") });
            if (o.ticketC)
                jobs.push_back({ Layout::TicketC, o.printerC, preview, 1, ticketHeight, QStringLiteral("C小票.frf") });
        }
    }
    return jobs;
}

} // namespace verdalo
