#pragma once

#include "printing/ReceiptOrder.h"
#include "printing/ReceiptTemplate.h"

class QPainter;
class QPrinter;

namespace verdalo {

// Draws the receipt layouts and the shop's templates in layout units: 58 mm = 182 units across.
class ReceiptRenderer
{
public:
    static constexpr double kPaperWidthMm = 58.0;
    static constexpr int kUnits = 182;

    // Sets the printer's page to 58 mm × `heightUnits` and no margins.
    static void preparePage(QPrinter *printer, int heightUnits);
    // Paints one layout; `printTime` is the "订餐时间："/"订餐：" text.
    static void paint(QPainter &p, const QRectF &page, Layout layout, const ReceiptOrder &order, const QString &printTime);
    static void paintTemplate(QPainter &p, const QRectF &page, const ReceiptTemplate &t, const ReceiptOrder &order,
                              bool ticketBC);
};

} // namespace verdalo
