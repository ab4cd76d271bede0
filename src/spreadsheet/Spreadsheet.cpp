#include "spreadsheet/Spreadsheet.h"

#include <QFile>
#include <QHash>
#include <QXmlStreamReader>

#include "spreadsheet/ZipReader.h"

#include <freexl.h>
#include <xlsxwriter.h>

namespace verdalo {

struct XlsxWriter::Impl
{
    lxw_workbook *workbook = nullptr;
    lxw_worksheet *sheet = nullptr;
    lxw_row_t row = 0;
};

XlsxWriter::XlsxWriter()
    : d(std::make_unique<Impl>())
{
}

XlsxWriter::~XlsxWriter()
{
    if (d->workbook)
        workbook_close(d->workbook);
}

bool XlsxWriter::open(const QString &path, const QString &sheetName, QString *error)
{
    const QByteArray file = QFile::encodeName(path);
    lxw_workbook_options options {};
    options.constant_memory = LXW_TRUE; // rows go straight to disk: any number of them
    d->workbook = workbook_new_opt(file.constData(), &options);
    if (!d->workbook) {
        if (error)
            *error = QStringLiteral("无法创建文件 %1").arg(path);
        return false;
    }
    const QByteArray name = sheetName.left(31).toUtf8();
    d->sheet = workbook_add_worksheet(d->workbook, name.isEmpty() ? nullptr : name.constData());
    d->row = 0;
    return d->sheet != nullptr;
}

void XlsxWriter::addRow(const QStringList &cells)
{
    if (!d->sheet)
        return;
    for (qsizetype c = 0; c < cells.size(); ++c) {
        if (cells[c].isEmpty())
            continue;
        const QByteArray text = cells[c].toUtf8();
        worksheet_write_string(d->sheet, d->row, static_cast<lxw_col_t>(c), text.constData(), nullptr);
    }
    ++d->row;
}

bool XlsxWriter::close(QString *error)
{
    if (!d->workbook)
        return false;
    const lxw_error e = workbook_close(d->workbook);
    d->workbook = nullptr;
    d->sheet = nullptr;
    if (e != LXW_NO_ERROR) {
        if (error)
            *error = QString::fromUtf8(lxw_strerror(e));
        return false;
    }
    return true;
}

namespace {

const QString kNotAWorkbook = QStringLiteral("所选文件不是EXCEL文件！！");

QByteArray zipEntry(const ZipReader &zip, const QString &name)
{
    return zip.read(name);
}

// "BC12" -> 54 (zero-based column).
qsizetype columnOf(QStringView ref)
{
    qsizetype col = 0;
    for (const QChar ch : ref) {
        if (ch < QLatin1Char('A') || ch > QLatin1Char('Z'))
            break;
        col = col * 26 + (ch.unicode() - 'A' + 1);
    }
    return col - 1;
}

qsizetype rowOf(QStringView ref)
{
    qsizetype i = 0;
    while (i < ref.size() && ref[i] >= QLatin1Char('A') && ref[i] <= QLatin1Char('Z'))
        ++i;
    return ref.mid(i).toLongLong() - 1;
}

// Text of an <si> or <is> element: plain <t>, or the <t> of every rich-text run; phonetic runs are left out.
QString inlineText(QXmlStreamReader &xml)
{
    const QString end = xml.name().toString();
    QString text;
    int phonetic = 0;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            if (xml.name() == QLatin1String("rPh"))
                ++phonetic;
            else if (xml.name() == QLatin1String("t") && phonetic == 0)
                text += xml.readElementText();
        } else if (xml.isEndElement()) {
            if (xml.name() == QLatin1String("rPh"))
                --phonetic;
            else if (xml.name() == end)
                break;
        }
    }
    return text;
}

QString firstSheetPath(const ZipReader &zip)
{
    QString relId;
    QXmlStreamReader wb(zipEntry(zip, QStringLiteral("xl/workbook.xml")));
    while (!wb.atEnd() && relId.isEmpty()) {
        if (wb.readNext() == QXmlStreamReader::StartElement && wb.name() == QLatin1String("sheet")) {
            for (const QXmlStreamAttribute &a : wb.attributes()) {
                if (a.name() == QLatin1String("id"))
                    relId = a.value().toString();
            }
        }
    }
    QXmlStreamReader rels(zipEntry(zip, QStringLiteral("xl/_rels/workbook.xml.rels")));
    while (!rels.atEnd()) {
        if (rels.readNext() == QXmlStreamReader::StartElement && rels.name() == QLatin1String("Relationship")
            && rels.attributes().value(QLatin1String("Id")) == relId) {
            QString target = rels.attributes().value(QLatin1String("Target")).toString();
            if (target.startsWith(QLatin1Char('/')))
                return target.mid(1);
            return QStringLiteral("xl/") + target;
        }
    }
    return QStringLiteral("xl/worksheets/sheet1.xml");
}

bool readXlsx(const QString &path, SheetData *out, QString *error)
{
    ZipReader zip(path);
    if (!zip.open()) {
        *error = kNotAWorkbook;
        return false;
    }
    QStringList shared;
    {
        QXmlStreamReader xml(zipEntry(zip, QStringLiteral("xl/sharedStrings.xml")));
        while (!xml.atEnd()) {
            if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("si"))
                shared.append(inlineText(xml));
        }
    }
    const QByteArray sheet = zipEntry(zip, firstSheetPath(zip));
    if (sheet.isEmpty()) {
        *error = kNotAWorkbook;
        return false;
    }
    QXmlStreamReader xml(sheet);
    qsizetype currentRow = -1;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == QLatin1String("row")) {
            const QStringView r = xml.attributes().value(QLatin1String("r"));
            currentRow = r.isEmpty() ? currentRow + 1 : r.toLongLong() - 1;
            continue;
        }
        if (xml.name() != QLatin1String("c"))
            continue;
        const QXmlStreamAttributes attrs = xml.attributes();
        const QString ref = attrs.value(QLatin1String("r")).toString();
        const QString type = attrs.value(QLatin1String("t")).toString();
        QString value;
        bool hasValue = false;
        while (!xml.atEnd()) {
            xml.readNext();
            if (xml.isStartElement() && xml.name() == QLatin1String("v")) {
                value = xml.readElementText();
                hasValue = true;
            } else if (xml.isStartElement() && xml.name() == QLatin1String("is")) {
                value = inlineText(xml);
                hasValue = true;
            } else if (xml.isEndElement() && xml.name() == QLatin1String("c")) {
                break;
            }
        }
        if (!hasValue)
            continue;
        if (type == QLatin1String("s"))
            value = shared.value(value.toInt());
        else if (type == QLatin1String("b"))
            value = value == QLatin1String("1") ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
        const qsizetype row = ref.isEmpty() ? currentRow : rowOf(ref);
        const qsizetype col = ref.isEmpty() ? 0 : columnOf(ref);
        if (row < 0 || col < 0 || row > 10'000'000 || col > 16384)
            continue;
        if (static_cast<size_t>(row) >= out->rows.size())
            out->rows.resize(static_cast<size_t>(row) + 1);
        QStringList &cells = out->rows[static_cast<size_t>(row)];
        while (cells.size() <= col)
            cells.append(QString());
        cells[col] = value;
    }
    if (xml.hasError()) {
        *error = QStringLiteral("EXCEL文件已损坏：%1").arg(xml.errorString());
        return false;
    }
    return true;
}

bool readXls(const QString &path, SheetData *out, QString *error)
{
    const void *handle = nullptr;
    const QByteArray file = QFile::encodeName(path);
    if (freexl_open(file.constData(), &handle) != FREEXL_OK) {
        *error = kNotAWorkbook;
        return false;
    }
    unsigned int rows = 0;
    unsigned short cols = 0;
    if (freexl_select_active_worksheet(handle, 0) != FREEXL_OK
        || freexl_worksheet_dimensions(handle, &rows, &cols) != FREEXL_OK) {
        freexl_close(handle);
        *error = kNotAWorkbook;
        return false;
    }
    out->rows.resize(rows);
    for (unsigned int r = 0; r < rows; ++r) {
        QStringList &cells = out->rows[r];
        for (unsigned short c = 0; c < cols; ++c) {
            FreeXL_CellValue v;
            QString text;
            if (freexl_get_cell_value(handle, r, c, &v) == FREEXL_OK) {
                switch (v.type) {
                case FREEXL_CELL_INT:
                    text = QString::number(v.value.int_value);
                    break;
                case FREEXL_CELL_DOUBLE:
                    text = QString::number(v.value.double_value, 'g', 15);
                    break;
                case FREEXL_CELL_TEXT:
                case FREEXL_CELL_SST_TEXT:
                case FREEXL_CELL_DATE:
                case FREEXL_CELL_DATETIME:
                case FREEXL_CELL_TIME:
                    text = QString::fromUtf8(v.value.text_value);
                    break;
                default:
                    break;
                }
            }
            cells.append(text);
        }
    }
    freexl_close(handle);
    return true;
}

} // namespace

bool readFirstSheet(const QString &path, SheetData *out, QString *error)
{
    out->rows.clear();
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("无法打开文件：%1").arg(f.errorString());
        return false;
    }
    const QByteArray head = f.read(8);
    f.close();
    if (head.startsWith("PK\x03\x04"))
        return readXlsx(path, out, error);
    if (head.startsWith("\xD0\xCF\x11\xE0"))
        return readXls(path, out, error);
    *error = kNotAWorkbook;
    return false;
}

} // namespace verdalo
