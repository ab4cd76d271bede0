#include "printing/ReceiptPrinter.h"
#include "printing/ReceiptTemplate.h"
#include "printing/TReportDesigner.h"

#include <QLabel>
#include <QPlainTextEdit>

#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

using namespace verdalo;

namespace {

// Writes every job to a PDF of its own and remembers the jobs.
class PdfTarget : public PrintTarget
{
public:
    explicit PdfTarget(QString folder)
        : m_folder(std::move(folder))
    {
    }
    void output(const PrintJob &job, const std::function<void(QPrinter *)> &paint) override
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        const QString file = m_folder + QStringLiteral("/%1-%2.pdf").arg(files.size()).arg(layoutName(job.layout));
        printer.setOutputFileName(file);
        paint(&printer);
        files.append(file);
        jobs.push_back(job);
    }
    QStringList files;
    std::vector<PrintJob> jobs;

private:
    QString m_folder;
};

// pdftotext hands back some ideographs as their radical forms: compare in a folded form on both sides.
QString plain(const QString &text)
{
    static const std::pair<char16_t, char16_t> radicals[] = {
        { 0x2ED4, 0x95E8 }, { 0x2EDA, 0x9875 }, { 0x2ED3, 0x957F }, { 0x2EC5, 0x89C1 }, { 0x2ECB, 0x8F66 },
        { 0x2EDB, 0x98CE }, { 0x2EE2, 0x9A6C }, { 0x2EDD, 0x98DF }, { 0x2EE9, 0x9EC4 }, { 0x2ED8, 0x9752 },
        { 0x2EEC, 0x9F50 }, { 0x2EEE, 0x9F7F }, { 0x2EDC, 0x98DE }, { 0x2EE8, 0x9EA6 }, { 0x2ECA, 0x8DB3 },
    };
    QString folded = text;
    folded.replace(QChar(0x2F3E), QChar(0x6237)); // the radical "door" would fold to the traditional form
    QString out = folded.normalized(QString::NormalizationForm_KC);
    for (const auto &[from, to] : radicals)
        out.replace(QChar(from), QChar(to));
    return out;
}

QString run(const QString &tool, const QStringList &args)
{
    QProcess p;
    p.start(QStandardPaths::findExecutable(tool), args);
    p.waitForFinished(30000);
    return plain(QString::fromUtf8(p.readAllStandardOutput()));
}

double pageHeightPts(const QString &pdf)
{
    const QString info = run(QStringLiteral("pdfinfo"), { pdf });
    const auto m = QRegularExpression(QStringLiteral("Page size:\\s+([0-9.]+) x ([0-9.]+) pts")).match(info);
    return m.hasMatch() ? m.captured(2).toDouble() : -1;
}

double unitsToPts(int units)
{
    return units * 58.0 / 182.0 * 72.0 / 25.4;
}

ReceiptOrder order(int lines)
{
    ReceiptOrder o;
    o.shop.title = QStringLiteral("鲜到家蔬菜");
    o.shop.phone = QStringLiteral("0571-88886666");
    o.shop.website = QStringLiteral("www.xdj.example");
    o.shop.phrase = QStringLiteral("谢谢惠顾");
    o.orderNumber = QStringLiteral("202612110007");
    o.deliveryTime = QStringLiteral("2026-12-11 12:30:00");
    o.store = QStringLiteral("东门店");
    o.worker = QStringLiteral("张三");
    o.deliveryNote = QStringLiteral("放门口");
    o.name = QStringLiteral("王先生");
    o.phone = QStringLiteral("13800138000");
    o.address = QString(25, QChar(0x5730)); // 25 characters of 地
    o.company = QStringLiteral("东方公司");
    o.total = QStringLiteral("38.00");
    o.operatorName = QStringLiteral("admin");
    for (int i = 0; i < lines; ++i)
        o.lines.push_back({ QStringLiteral("菜品%1").arg(i + 1), QStringLiteral("少辣"), 1, Money::fromUnits(50000), Money::fromUnits(50000) });
    return o;
}

} // namespace

class ReceiptRenderTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()
            || QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty())
            QSKIP("poppler-utils are not installed");
    }

    void everyLayoutPrintsItsTextsAtItsHeight_data()
    {
        QTest::addColumn<int>("lines");
        QTest::newRow("one line") << 1;
        QTest::newRow("five lines") << 5;
    }

    void everyLayoutPrintsItsTextsAtItsHeight()
    {
        QFETCH(int, lines);
        QTemporaryDir dir;
        PdfTarget target(dir.path());
        ReceiptPrinter printer(AppPaths(dir.path()), target);
        PrintOptions o;
        o.afterSave = QStringLiteral("直接打印");
        o.kitchenPrinter = QStringLiteral("厨房");
        o.style = QStringLiteral("普通样式");
        printer.print(order(lines), o, QStringLiteral("2026-12-11 11:58:00"));
        o.style = QStringLiteral("反馈三联单");
        printer.print(order(lines), o, QStringLiteral("2026-12-11 11:58:00"));
        QCOMPARE(target.files.size(), 5);

        const struct
        {
            Layout layout;
            int height;
            QStringList texts;
        } expected[] = {
            { Layout::Ordinary, 24 * lines + 389,
              { QStringLiteral("鲜到家蔬菜"), QStringLiteral("送餐时间：2026-12-11 12:30:00"), QStringLiteral("订单号码：202612110007"),
                QStringLiteral("二级区域：东门店"), QStringLiteral("送餐员：张三"), QStringLiteral("发货备注：放门口"),
                QStringLiteral("姓名：王先生"), QStringLiteral("电话：13800138000"), QStringLiteral("单位：东方公司"),
                QStringLiteral("合计：38.00"), QStringLiteral("订餐明细"), QStringLiteral("菜品名称"), QStringLiteral("订餐时间：2026-12-11 11:58:00"),
                QStringLiteral("0571-88886666"), QStringLiteral("www.xdj.example"), QStringLiteral("谢谢惠顾"),
                QStringLiteral("菜品%1").arg(lines) } },
            { Layout::Kitchen, 32 * lines + 118, { QStringLiteral("订餐：2026-12-11 11:58:00"), QStringLiteral("订单号码：202612110007") } },
            { Layout::ThreePart1, 24 * lines + 475, { QStringLiteral("请评价我们的服务,非常感谢"), QStringLiteral("非常满意"), QStringLiteral("客户签名") } },
            { Layout::ThreePart2, 24 * lines + 412, { QStringLiteral("感谢您的支持，祝您用餐愉快") } },
            { Layout::ThreePart3, 24 * lines + 287, { QStringLiteral("实际出餐时间：") } },
        };
        for (const auto &e : expected) {
            qsizetype index = -1;
            for (size_t i = 0; i < target.jobs.size(); ++i) {
                if (target.jobs[i].layout == e.layout)
                    index = static_cast<qsizetype>(i);
            }
            QVERIFY2(index >= 0, qPrintable(layoutName(e.layout)));
            const QString pdf = target.files[index];
            QVERIFY2(qAbs(pageHeightPts(pdf) - unitsToPts(e.height)) < 1.5, qPrintable(layoutName(e.layout)));
            const QString text = run(QStringLiteral("pdftotext"), { QStringLiteral("-raw"), pdf, QStringLiteral("-") });
            for (const QString &t : e.texts)
                QVERIFY2(text.contains(plain(t)), qPrintable(layoutName(e.layout) + QStringLiteral(" lacks ") + t + QLatin1Char('\n') + text));
        }
        const QString shots = qEnvironmentVariable("VERDALO_SHOTS");
        if (!shots.isEmpty() && lines == 5) {
            for (qsizetype i = 0; i < target.files.size(); ++i)
                QFile::copy(target.files[i], shots + QStringLiteral("/receipt-%1.pdf").arg(i));
        }
        // The address wraps at 20 bytes: 10, 10 and 5 characters.
        const QString receipt = run(QStringLiteral("pdftotext"), { QStringLiteral("-raw"), target.files[0], QStringLiteral("-") });
        QVERIFY(receipt.contains(plain(QStringLiteral("地址：")) + QString(10, QChar(0x5730)) + QLatin1Char('\n')));
        QVERIFY(receipt.contains(QString(10, QChar(0x5730)) + QLatin1Char('\n')));
        QVERIFY(receipt.contains(QString(5, QChar(0x5730)) + QLatin1Char('\n')));
    }

    void templatesResolveTheirVariablesAndSkipMissingFiles()
    {
        QTemporaryDir dir;
        installDefaultTemplates(AppPaths(dir.path()));
        QVERIFY(QFile::exists(dir.filePath(QStringLiteral("自定义报表.frf"))));
        QVERIFY(QFile::exists(dir.filePath(QStringLiteral("C小票.frf"))));
        PdfTarget target(dir.path());
        ReceiptPrinter printer(AppPaths(dir.path()), target);
        PrintOptions o;
        o.style = QStringLiteral("自定义报表");
        o.afterSave = QStringLiteral("直接打印");
        o.customStyle = QStringLiteral("样式一");
        o.ticketB = true;
        o.manualForm = true;
        printer.print(order(5), o, QStringLiteral("11:58:00"));
        QCOMPARE(target.jobs.size(), size_t(2));
        QVERIFY(qAbs(pageHeightPts(target.files[1]) - pageHeightPts(target.files[0]) - unitsToPts(246)) < 1.5);
        const QString text = run(QStringLiteral("pdftotext"), { QStringLiteral("-raw"), target.files[0], QStringLiteral("-") });
        for (const char *t : { "鲜到家蔬菜", "订单号码：202612110007", "姓名：王先生", "合计：38.00元", "菜品5", "合计份数：5", "制单员：admin" })
            QVERIFY2(text.contains(plain(QString::fromUtf8(t))), t);
        QVERIFY(!text.contains(QLatin1Char('[')));

        // Without the template file nothing of the custom part prints, and no message.
        QFile::remove(dir.filePath(QStringLiteral("自定义报表.frf")));
        PdfTarget empty(dir.path());
        ReceiptPrinter(AppPaths(dir.path()), empty).print(order(1), o, QStringLiteral("11:58:00"));
        QVERIFY(empty.jobs.empty());
    }

    void designerStartsFromTheDefaultAndSaves()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("B小票.frf"));
        TReportDesigner designer(path);
        QVERIFY(designer.editor->toPlainText().contains(QStringLiteral("band line")));
        QVERIFY(!designer.preview->pixmap().isNull());
        QVERIFY(designer.problems->text().isEmpty());
        designer.editor->appendPlainText(QStringLiteral("text 0 0 10 10 [订单号码]\nwrong"));
        QVERIFY(designer.problems->text().contains(QStringLiteral("wrong")));
        QVERIFY(designer.save());
        ReceiptTemplate t;
        QVERIFY(ReceiptTemplate::load(path, &t));
        QVERIFY(t.variables().contains(QStringLiteral("订单号码")));
    }
};

QTEST_MAIN(ReceiptRenderTest)
#include "ReceiptRenderTest.moc"
