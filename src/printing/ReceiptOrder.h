#pragma once

#include "core/Db.h"
#include "core/Money.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

namespace verdalo {

// Everything a receipt or template prints about one order: from an order form's fields and cart, or from the
// stored rows when the board reprints.
struct ReceiptOrder
{
    struct Line
    {
        QString name;
        QString taste;
        double quantity = 0;
        Money price;
        Money amount;
    };
    struct Shop
    {
        QString title;
        QString phone;
        QString website;
        QString phrase;
        int leftMargin = 0;
        int rightMargin = 0;
        int topMargin = 0;
    };

    bool reprint = false;
    Shop shop;
    QString orderNumber;
    QString orderDate;     // 购物日期 (reprint)
    QString orderTime;     // "订餐时间：" text
    QString operatorName;
    QString worker;
    QString deliveryTime;
    QString name;
    QString phone;
    QString area;
    QString store;
    QString address;
    QString company;
    QString total;         // the discounted total as text
    QString payment;
    QString deliveryNote;
    QString customerNote;
    std::vector<Line> lines;

    double totalQuantity() const;
    // The value of a template variable ("公司名称", "订单号码", …); `ticketBC` for the B and C tickets.
    QString variable(const QString &name, bool ticketBC) const;

    // The stored order `number`, for the board's reprint; the shop's texts from 店名.
    static ReceiptOrder fromStoredOrder(Db &main, const QString &number, const QString &operatorName);
    static Shop shopFrom(Db &main);
};

// The layouts the printing knows.
enum class Layout { Ordinary, Kitchen, ThreePart1, ThreePart2, ThreePart3, Custom, TicketB, TicketC };

QString layoutName(Layout l);

// One document to produce: which layout, on which printer ("" is the system default), previewed or printed, how
// many copies, and the page height in layout units (58 mm = 182 units).
struct PrintJob
{
    Layout layout;
    QString printer;
    bool preview = false;
    int copies = 1;
    int pageHeight = 0;
    QString templateFile; // custom, B and C: the template's file name
};

// What decides the jobs of one print.
struct PrintOptions
{
    QString style;               // 普通样式, 反馈三联单, 自定义报表
    QString afterSave;           // 开单后打印: 不打印, 打印预览, 直接打印
    QString kitchenPrinter;
    QString customStyle;         // 样式一 … 样式六
    bool ticketB = false;
    QString printerB;
    bool ticketC = false;
    QString printerC;
    int copies = 1;
    bool manualForm = false;     // lengthens the custom page and sets its copies
    bool reprint = false;        // the board's 单个打印
};

// The print sequence: receipt pass, kitchen pass, then the custom template with its B and C tickets. Custom page
// heights are known only from the template; `customHeight` is it (0 when the file is missing: nothing prints).
std::vector<PrintJob> planPrint(const PrintOptions &o, int lines, const std::function<int(const QString &file)> &customHeight);

struct Settings;
// The print options of the workstation's settings, for a form's style and copies.
PrintOptions printOptions(const Settings &settings, const QString &style, int copies);

// "自定义报表.frf" for 样式一, "自定义报表2.frf" … for 样式二 to 样式六; empty for anything else.
QString customTemplateFile(const QString &style);

} // namespace verdalo
