#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

namespace verdalo {

// Writes an .xlsx workbook of one sheet, row by row; every cell is a text cell, so numbers, codes with leading
// zeros and dates arrive exactly as the program shows them.
class XlsxWriter
{
public:
    XlsxWriter();
    ~XlsxWriter();
    // Starts a workbook at `path` with a sheet named `sheetName`; false with the reason when it cannot.
    bool open(const QString &path, const QString &sheetName, QString *error);
    void addRow(const QStringList &cells);
    // Finishes and writes the file; false with the reason when it cannot be written.
    bool close(QString *error);

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

// The cells of the first sheet of a workbook: row 0 is the sheet's first row; a missing cell is an empty text;
// numbers come as the text the file stores ("12.5"). Reads .xlsx and .xls by their content, whatever the file
// is called. False with a message for the operator when the file is not a workbook or cannot be read.
struct SheetData
{
    std::vector<QStringList> rows;
    QString cell(size_t row, qsizetype column) const
    {
        return row < rows.size() ? rows[row].value(column) : QString();
    }
};

bool readFirstSheet(const QString &path, SheetData *out, QString *error);

} // namespace verdalo
