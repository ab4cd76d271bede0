#pragma once

#include <QString>
#include <QStringList>

#include <vector>

class QPagedPaintDevice;
class QPrinter;
class QWidget;

namespace verdalo {

// A plain A4 list: a title, a caption line, column titles and rows, with page numbers. Drawn on any printer
// (preview, a named printer, PDF).
struct ListReport
{
    QString title;
    QString caption;
    QStringList columns;
    std::vector<int> widths; // relative widths; equal when empty
    std::vector<QStringList> rows;

    void paint(QPrinter *printer) const;
    // Opens the print preview; the operator prints from there.
    void preview(QWidget *parent) const;
    // Writes a PDF (tests and "print to file").
    bool writePdf(const QString &path) const;
};

} // namespace verdalo
