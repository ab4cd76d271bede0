#include "printing/ListReport.h"

#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>

namespace verdalo {

void ListReport::paint(QPrinter *printer) const
{
    printer->setPageSize(QPageSize(QPageSize::A4));
    printer->setPageOrientation(QPageLayout::Portrait);
    printer->setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
    QPainter p(printer);
    if (!p.isActive())
        return;
    const QRect page = printer->pageLayout().paintRectPixels(printer->resolution());
    const int w = page.width();
    const int h = page.height();

    QFont titleFont(QStringLiteral("Noto Sans CJK SC"), 16, QFont::Bold);
    QFont bodyFont(QStringLiteral("Noto Sans CJK SC"), 9);
    QFont headFont = bodyFont;
    headFont.setBold(true);
    p.setFont(bodyFont);
    const int line = p.fontMetrics().height() * 3 / 2;

    std::vector<int> rel = widths;
    rel.resize(static_cast<size_t>(columns.size()), 1);
    int relTotal = 0;
    for (int r : rel)
        relTotal += r;
    std::vector<int> x;
    int acc = 0;
    for (int r : rel) {
        x.push_back(acc * w / std::max(1, relTotal));
        acc += r;
    }
    x.push_back(w);

    int pageNo = 1;
    int y = 0;
    auto header = [&] {
        y = 0;
        if (pageNo == 1) {
            p.setFont(titleFont);
            const int th = p.fontMetrics().height() * 3 / 2;
            p.drawText(QRect(0, y, w, th), Qt::AlignCenter, title);
            y += th;
            p.setFont(bodyFont);
            p.drawText(QRect(0, y, w, line), Qt::AlignLeft | Qt::AlignVCenter, caption);
            y += line;
        }
        p.setFont(headFont);
        for (qsizetype c = 0; c < columns.size(); ++c)
            p.drawText(QRect(x[c] + 2, y, x[c + 1] - x[c] - 4, line), Qt::AlignLeft | Qt::AlignVCenter, columns[c]);
        y += line;
        p.drawLine(0, y, w, y);
        p.setFont(bodyFont);
    };
    auto footer = [&] {
        p.drawText(QRect(0, h - line, w, line), Qt::AlignCenter, QStringLiteral("第 %1 页").arg(pageNo));
    };
    header();
    for (const QStringList &row : rows) {
        if (y + line > h - line) {
            footer();
            printer->newPage();
            ++pageNo;
            header();
        }
        for (qsizetype c = 0; c < columns.size(); ++c) {
            const QRect cell(x[c] + 2, y, x[c + 1] - x[c] - 4, line);
            p.drawText(cell, Qt::AlignLeft | Qt::AlignVCenter,
                       p.fontMetrics().elidedText(row.value(c), Qt::ElideRight, cell.width()));
        }
        y += line;
    }
    p.drawLine(0, y, w, y);
    p.drawText(QRect(0, y, w, line), Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("共 %1 条").arg(rows.size()));
    footer();
}

void ListReport::preview(QWidget *parent) const
{
    QPrinter printer(QPrinter::HighResolution);
    QPrintPreviewDialog dialog(&printer, parent);
    dialog.setWindowTitle(title);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [this](QPrinter *pr) { paint(pr); });
    dialog.resize(900, 1000);
    dialog.exec();
}

bool ListReport::writePdf(const QString &path) const
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    paint(&printer);
    return true;
}

} // namespace verdalo
