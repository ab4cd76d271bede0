#include "printing/ReceiptPrinter.h"

#include "printing/ReceiptRenderer.h"
#include "printing/ReceiptTemplate.h"

#include <QFile>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace verdalo {

void DevicePrintTarget::output(const PrintJob &job, const std::function<void(QPrinter *)> &paint)
{
    QPrinter printer(QPrinter::HighResolution);
    const QPrinterInfo named = QPrinterInfo::printerInfo(job.printer);
    if (!job.printer.isEmpty() && !named.isNull())
        printer.setPrinterName(job.printer);
    else if (!QPrinterInfo::defaultPrinter().isNull())
        printer.setPrinterName(QPrinterInfo::defaultPrinter().printerName());
    printer.setCopyCount(std::max(1, job.copies));
    printer.setDocName(layoutName(job.layout));
    ReceiptRenderer::preparePage(&printer, job.pageHeight);
    if (job.preview || printer.printerName().isEmpty()) {
        QPrintPreviewDialog dialog(&printer, m_parent);
        dialog.setWindowTitle(layoutName(job.layout));
        QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&paint](QPrinter *pr) { paint(pr); });
        dialog.exec();
        return;
    }
    paint(&printer);
}

std::vector<PrintJob> ReceiptPrinter::print(const ReceiptOrder &order, const PrintOptions &options, const QString &printTime)
{
    const auto heightOf = [this](const QString &file) {
        ReceiptTemplate t;
        return ReceiptTemplate::load(m_paths.file(file), &t) ? t.height : 0;
    };
    const std::vector<PrintJob> jobs = planPrint(options, static_cast<int>(order.lines.size()), heightOf);
    std::vector<PrintJob> done;
    for (const PrintJob &job : jobs) {
        if (!job.templateFile.isEmpty()) {
            ReceiptTemplate t;
            if (!ReceiptTemplate::load(m_paths.file(job.templateFile), &t))
                continue; // a missing template is skipped silently
            const bool ticket = job.layout != Layout::Custom;
            m_target.output(job, [&](QPrinter *printer) {
                ReceiptRenderer::preparePage(printer, job.pageHeight);
                QPainter p(printer);
                if (p.isActive())
                    ReceiptRenderer::paintTemplate(p, printer->pageRect(QPrinter::DevicePixel), t, order, ticket);
            });
        } else {
            m_target.output(job, [&](QPrinter *printer) {
                ReceiptRenderer::preparePage(printer, job.pageHeight);
                QPainter p(printer);
                if (p.isActive())
                    ReceiptRenderer::paint(p, printer->pageRect(QPrinter::DevicePixel), job.layout, order, printTime);
            });
        }
        done.push_back(job);
    }
    return done;
}

QStringList templateFiles()
{
    QStringList files { QStringLiteral("自定义报表.frf") };
    for (int i = 2; i <= 6; ++i)
        files << QStringLiteral("自定义报表%1.frf").arg(i);
    files << QStringLiteral("自定义堂食报表.frf");
    for (int i = 2; i <= 6; ++i)
        files << QStringLiteral("自定义堂食报表%1.frf").arg(i);
    files << QStringLiteral("B小票.frf") << QStringLiteral("C小票.frf");
    return files;
}

QString defaultTemplateText(const QString &file)
{
    if (file == QStringLiteral("B小票.frf") || file == QStringLiteral("C小票.frf")) {
        const QString title = file.left(1) + QStringLiteral("小票");
        return QStringLiteral("# %1：送货员或打包用的联\n"
                              "page 182 150\n"
                              "band title 86\n"
                              "text 0 0 182 22 bold size=14 align=center [公司名称] %1\n"
                              "text 0 24 182 14 订单号码：[订单号码]\n"
                              "text 0 38 182 14 订餐时间：[订餐日期] [订餐时间]\n"
                              "text 0 52 182 14 姓名：[姓名]  电话：[电话]\n"
                              "text 0 66 182 20 地址：[地址]\n"
                              "band line 18\n"
                              "text 0 0 110 18 [产品名称] [口味]\n"
                              "text 110 0 72 18 align=right ×[数量]\n"
                              "band summary 40\n"
                              "line 0 2 182 2\n"
                              "text 0 6 182 14 合计份数：[合计份数]  合计：[合计]元\n"
                              "text 0 22 182 14 客户备注：[客户备注]\n")
            .arg(title);
    }
    const bool dineIn = file.startsWith(QStringLiteral("自定义堂食"));
    return QStringLiteral("# %1\n"
                          "# 每行一个项目，单位：58毫米=182。变量写在方括号里，例如 [订单号码]。\n"
                          "page 182 300\n"
                          "band title 150\n"
                          "text 0 0 182 24 bold size=14 align=center [公司名称]\n"
                          "text 0 28 182 14 订单号码：[订单号码]\n"
                          "text 0 42 182 14 订餐时间：[订餐时间]\n"
                          "text 0 56 182 14 送餐时间：[送餐时间]\n"
                          "text 0 70 182 14 送餐员：[送餐员]  二级区域：[二级区域]\n"
                          "box 0 86 182 50\n"
                          "text 2 88 178 14 姓名：[姓名]  电话：[电话]\n"
                          "text 2 102 178 32 地址：[地址]\n"
                          "text 0 136 90 14 bold 菜品名称\n"
                          "text 90 136 40 14 bold 口味\n"
                          "text 130 136 20 14 bold align=right 份\n"
                          "text 150 136 32 14 bold align=right 合计\n"
                          "band line 22\n"
                          "text 0 0 90 22 [产品名称]\n"
                          "text 90 0 40 22 [口味]\n"
                          "text 130 0 20 22 align=right [数量]\n"
                          "text 150 0 32 22 align=right [应付货款]\n"
                          "band summary 80\n"
                          "line 0 2 182 2\n"
                          "text 0 6 182 14 合计份数：[合计份数]\n"
                          "text 0 20 182 16 bold 合计：[合计]元  [支付方式]\n"
                          "text 0 36 182 14 发货备注：[发货备注]\n"
                          "text 0 50 182 14 制单员：[制单员]\n")
        .arg(dineIn ? QStringLiteral("店内销售小票") : QStringLiteral("外卖小票"));
}

void installDefaultTemplates(const AppPaths &paths)
{
    for (const QString &file : templateFiles()) {
        const QString path = paths.file(file);
        if (QFile::exists(path))
            continue;
        QFile f(path);
        if (f.open(QIODevice::WriteOnly))
            f.write(defaultTemplateText(file).toUtf8());
    }
}

} // namespace verdalo
