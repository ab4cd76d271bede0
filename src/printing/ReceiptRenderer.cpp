#include "printing/ReceiptRenderer.h"

#include "core/TextHelpers.h"

#include <QPageSize>
#include <QPainter>
#include <QPrinter>

namespace verdalo {
namespace {

constexpr double kMmPerUnit = ReceiptRenderer::kPaperWidthMm / ReceiptRenderer::kUnits;

// A font of `points` expressed in layout units (the painter is scaled to units).
QFont unitFont(double points, bool bold = false)
{
    QFont f(QStringLiteral("Noto Sans CJK SC"));
    const double mm = points * 25.4 / 72.0;
    f.setPixelSize(std::max(1, static_cast<int>(std::lround(mm / kMmPerUnit))));
    f.setBold(bold);
    return f;
}

QString number(double v)
{
    return shortDecimal(v);
}

QString money(Money m)
{
    return m.toString(2);
}

// A cursor down the page.
struct Writer
{
    QPainter &p;
    int left;
    int width;
    int y;

    void text(const QString &t, double points = 9, bool bold = false, int align = Qt::AlignLeft, int height = 16)
    {
        p.setFont(unitFont(points, bold));
        p.drawText(QRectF(left, y, width, height), align | Qt::AlignVCenter, t);
        y += height;
    }
    void columns(const QStringList &cells, const std::vector<int> &widths, bool bold = false)
    {
        p.setFont(unitFont(9, bold));
        int x = left;
        for (qsizetype i = 0; i < cells.size(); ++i) {
            const int w = widths[static_cast<size_t>(i)];
            p.drawText(QRectF(x, y, w, 16), (i == 0 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter, cells[i]);
            x += w;
        }
        y += 24 - 8;
    }
    void rule()
    {
        p.drawLine(QPointF(left, y + 2), QPointF(left + width, y + 2));
        y += 4;
    }
};

void titleBand(Writer &w, const ReceiptOrder &o, bool withCustomerBox)
{
    w.text(o.shop.title, 14, true, Qt::AlignHCenter, 24);
    w.text(QStringLiteral("送餐时间：") + o.deliveryTime);
    w.text(QStringLiteral("订单号码：") + o.orderNumber);
    w.text(QStringLiteral("二级区域：") + o.store);
    w.text(QStringLiteral("送餐员：") + o.worker);
    w.text(QStringLiteral("发货备注：") + o.deliveryNote);
    if (withCustomerBox) {
        const int top = w.y + 2;
        w.y += 4;
        w.left += 3;
        w.width -= 6;
        w.text(QStringLiteral("姓名：") + o.name);
        w.text(QStringLiteral("电话：") + o.phone);
        // The address in lines of 20 bytes.
        const QStringList lines = WrapReceiptText(20, o.address).split(QLatin1Char('\r'));
        for (qsizetype i = 0; i < lines.size(); ++i)
            w.text((i == 0 ? QStringLiteral("地址：") : QStringLiteral("　　　")) + lines[i]);
        w.text(QStringLiteral("单位：") + o.company);
        w.text(QStringLiteral("合计：") + o.total);
        w.left -= 3;
        w.width += 6;
        w.p.drawRect(QRectF(w.left, top, w.width, w.y - top + 2));
        w.y += 4;
    }
    w.text(QStringLiteral("订餐明细"), 10, true);
}

void detail(Writer &w, const ReceiptOrder &o, bool withAmount)
{
    const int W = w.width;
    const std::vector<int> widths = withAmount ? std::vector<int> { W * 44 / 100, W * 22 / 100, W * 12 / 100, W - W * 78 / 100 }
                                               : std::vector<int> { W * 55 / 100, W * 28 / 100, W - W * 83 / 100 };
    QStringList head { QStringLiteral("菜品名称"), QStringLiteral("口味"), QStringLiteral("份") };
    if (withAmount)
        head << QStringLiteral("合计");
    w.columns(head, widths, true);
    w.rule();
    for (const ReceiptOrder::Line &l : o.lines) {
        QStringList cells { l.name, l.taste, number(l.quantity) };
        if (withAmount)
            cells << money(l.amount);
        w.columns(cells, widths);
        w.y += 8; // 24 units a line
    }
    w.rule();
}

void shopLines(Writer &w, const ReceiptOrder &o)
{
    w.text(QStringLiteral("电    话：  ") + o.shop.phone);
    w.text(QStringLiteral("网    址：  ") + o.shop.website);
    w.text(o.shop.phrase);
}

} // namespace

void ReceiptRenderer::preparePage(QPrinter *printer, int heightUnits)
{
    const QSizeF size(kPaperWidthMm, std::max(20, heightUnits) * kMmPerUnit);
    printer->setPageSize(QPageSize(size, QPageSize::Millimeter, QStringLiteral("receipt"), QPageSize::ExactMatch));
    printer->setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    printer->setFullPage(true);
}

void ReceiptRenderer::paint(QPainter &p, const QRectF &page, Layout layout, const ReceiptOrder &o, const QString &printTime)
{
    p.save();
    p.scale(page.width() / kUnits, page.width() / kUnits);
    const bool ordinaryMargins = layout == Layout::Ordinary;
    const int left = 4 + (ordinaryMargins ? o.shop.leftMargin : 0);
    const int right = 4 + (ordinaryMargins ? o.shop.rightMargin : 0);
    Writer w { p, left, kUnits - left - right, 4 + (ordinaryMargins ? o.shop.topMargin : 0) };
    switch (layout) {
    case Layout::Kitchen:
        w.text(o.shop.title, 14, true, Qt::AlignHCenter, 24);
        w.text(QStringLiteral("订餐：") + printTime);
        w.text(QStringLiteral("订单号码：") + o.orderNumber);
        detail(w, o, false);
        break;
    case Layout::Ordinary:
    case Layout::ThreePart2:
        titleBand(w, o, true);
        detail(w, o, true);
        w.text(QStringLiteral("订餐时间：") + printTime);
        w.text(QStringLiteral("制 单 人：") + o.operatorName);
        shopLines(w, o);
        if (layout == Layout::ThreePart2)
            w.text(QStringLiteral("感谢您的支持，祝您用餐愉快"), 10, true);
        break;
    case Layout::ThreePart1: {
        titleBand(w, o, true);
        detail(w, o, true);
        w.text(QStringLiteral("订餐时间：") + printTime);
        w.text(QStringLiteral("制 单 人：") + o.operatorName);
        w.text(QStringLiteral("请评价我们的服务,非常感谢"), 10, true);
        const QStringList choices { QStringLiteral("非常满意"), QStringLiteral("基本满意"), QStringLiteral("不满意") };
        p.setFont(unitFont(9));
        const int boxW = w.width / 3;
        for (int i = 0; i < 3; ++i) {
            const QRectF box(w.left + i * boxW + 2, w.y + 2, boxW - 4, 18);
            p.drawRect(box);
            p.drawText(box, Qt::AlignCenter, choices[i]);
        }
        w.y += 26;
        w.text(QStringLiteral("客户签名"));
        p.drawLine(QPointF(w.left + 40, w.y), QPointF(w.left + w.width, w.y));
        break;
    }
    case Layout::ThreePart3: {
        titleBand(w, o, false);
        detail(w, o, true);
        w.text(QStringLiteral("订餐时间：") + printTime);
        w.text(QStringLiteral("实际出餐时间："));
        const QRectF box(w.left, w.y + 2, 120, 22);
        p.drawRect(box);
        p.setFont(unitFont(9));
        p.drawText(QRectF(box.left() + 40, box.top(), 20, 22), Qt::AlignCenter, QStringLiteral("时"));
        p.drawText(QRectF(box.left() + 100, box.top(), 20, 22), Qt::AlignCenter, QStringLiteral("分"));
        break;
    }
    case Layout::Custom:
    case Layout::TicketB:
    case Layout::TicketC:
        break;
    }
    p.restore();
}

void ReceiptRenderer::paintTemplate(QPainter &p, const QRectF &page, const ReceiptTemplate &t, const ReceiptOrder &o,
                                    bool ticketBC)
{
    p.save();
    p.scale(page.width() / std::max(1, t.width), page.width() / std::max(1, t.width));
    const auto draw = [&](const TemplateBand &band, int top, const ReceiptOrder::Line *line) {
        for (const TemplateItem &i : band.items) {
            const QRectF r(i.x, top + i.y, i.w, i.h);
            if (i.kind == TemplateItem::Kind::Line) {
                p.drawLine(QPointF(i.x, top + i.y), QPointF(i.x + i.w, top + i.h));
                continue;
            }
            if (i.kind == TemplateItem::Kind::Box) {
                p.drawRect(r);
                continue;
            }
            const QString text = fillVariables(i.text, [&](const QString &name) -> QString {
                if (line) {
                    if (name == QStringLiteral("产品名称"))
                        return line->name;
                    if (name == QStringLiteral("口味"))
                        return line->taste;
                    if (name == QStringLiteral("数量"))
                        return number(line->quantity);
                    if (name == QStringLiteral("单价"))
                        return money(line->price);
                    if (name == QStringLiteral("应付货款"))
                        return money(line->amount);
                }
                return o.variable(name, ticketBC);
            });
            p.setFont(unitFont(i.size, i.bold));
            const int align = i.align == 1 ? Qt::AlignHCenter : i.align == 2 ? Qt::AlignRight : Qt::AlignLeft;
            p.drawText(r, align | Qt::AlignVCenter | Qt::TextWordWrap, text);
        }
    };
    int y = 0;
    if (const TemplateBand *title = t.band(QStringLiteral("title"))) {
        draw(*title, y, nullptr);
        y += title->height;
    }
    if (const TemplateBand *lineBand = t.band(QStringLiteral("line"))) {
        for (const ReceiptOrder::Line &l : o.lines) {
            draw(*lineBand, y, &l);
            y += lineBand->height;
        }
    }
    if (const TemplateBand *summary = t.band(QStringLiteral("summary")))
        draw(*summary, y, nullptr);
    p.restore();
}

} // namespace verdalo
