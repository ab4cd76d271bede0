#include "printing/ListReport.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

using namespace verdalo;

class ListReportTest : public QObject
{
    Q_OBJECT

private slots:
    void printsTitleCaptionColumnsAndEveryRowOverPages()
    {
        const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
        if (pdftotext.isEmpty())
            QSKIP("pdftotext is not installed");
        ListReport r;
        r.title = QStringLiteral("订单配送信息");
        r.caption = QStringLiteral("查询时间：2026-12-11");
        r.columns = { QStringLiteral("单据编号"), QStringLiteral("客户姓名"), QStringLiteral("应收款") };
        for (int i = 1; i <= 120; ++i)
            r.rows.push_back({ QStringLiteral("20261211%1").arg(i, 4, 10, QLatin1Char('0')), QStringLiteral("王先生"),
                               QStringLiteral("%1.00").arg(i) });
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("list.pdf"));
        QVERIFY(r.writePdf(pdf));
        QProcess p;
        p.start(pdftotext, { QStringLiteral("-layout"), pdf, QStringLiteral("-") });
        QVERIFY(p.waitForFinished(30000));
        const QString text = QString::fromUtf8(p.readAllStandardOutput());
        QVERIFY(text.contains(QStringLiteral("订单配送信息")));
        QVERIFY(text.contains(QStringLiteral("查询时间：2026-12-11")));
        QVERIFY(text.contains(QStringLiteral("202612110001")));
        QVERIFY(text.contains(QStringLiteral("202612110120")));
        QVERIFY(text.contains(QStringLiteral("共 120 条")));
        // 120 rows take several A4 pages (pdftotext separates pages by form feeds).
        QVERIFY(text.count(QLatin1Char('\f')) >= 3);
    }
};

QTEST_MAIN(ListReportTest)
#include "ListReportTest.moc"
