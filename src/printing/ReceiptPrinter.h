#pragma once

#include "core/AppPaths.h"
#include "printing/ReceiptOrder.h"

#include <QString>

#include <functional>

class QPrinter;
class QWidget;

namespace verdalo {

// Where the documents of a print go. The program's target sends them to the installed printers (or a preview);
// tests record them and write PDFs.
class PrintTarget
{
public:
    virtual ~PrintTarget() = default;
    // Produces one document: `paint` draws it on the printer it is given, already set to the job's page.
    virtual void output(const PrintJob &job, const std::function<void(QPrinter *)> &paint) = 0;
};

// The installed printers: a name that is not installed selects the default printer; preview opens the preview
// window, otherwise the job is printed without a dialog. With no printer at all, only the preview shows anything.
class DevicePrintTarget : public PrintTarget
{
public:
    explicit DevicePrintTarget(QWidget *parent)
        : m_parent(parent)
    {
    }
    void output(const PrintJob &job, const std::function<void(QPrinter *)> &paint) override;

private:
    QWidget *m_parent;
};

// Prints an order: the receipt and kitchen passes of the shop's style, then its own templates with the B and C
// tickets. Templates are read from the data folder at every print; a missing one is skipped without a message.
class ReceiptPrinter
{
public:
    ReceiptPrinter(const AppPaths &paths, PrintTarget &target)
        : m_paths(paths)
        , m_target(target)
    {
    }
    // The jobs that were produced.
    std::vector<PrintJob> print(const ReceiptOrder &order, const PrintOptions &options, const QString &printTime);

private:
    AppPaths m_paths;
    PrintTarget &m_target;
};

// Writes the shop's default templates into the data folder where they are missing.
void installDefaultTemplates(const AppPaths &paths);
// The default text of a template file ("自定义报表.frf", "B小票.frf", …).
QString defaultTemplateText(const QString &file);
// Every template file name the program knows.
QStringList templateFiles();

} // namespace verdalo
