#include "board/Board.h"
#include "support/OrderFixture.h"
#include "support/TestDatabase.h"
#include "ui/UiFixture.h"
#include "spreadsheet/Spreadsheet.h"
#include "widgets/DataGrid.h"
#include "widgets/FileDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QRadioButton>
#include <QTableView>
#include <QtTest>

using namespace verdalo;
using verdalo::test::OrderRow;
using verdalo::test::UiFixture;

namespace {

// A realistic morning: orders for three stores in every state.
void seedDay(Db &db, const QString &date)
{
    const char *names[] = { "王先生", "李女士", "张阿姨", "刘老板", "陈小姐", "赵先生", "周太太", "吴经理" };
    const char *items[] = { "西红柿", "土豆", "大白菜", "鸡蛋", "五花肉", "可乐2升", "米饭套餐" };
    const char *stores[] = { "总部", "东门店", "西门店" };
    for (int i = 1; i <= 24; ++i) {
        const QString number = date.left(4) + date.mid(5, 2) + date.mid(8, 2) + QStringLiteral("%1").arg(i, 4, 10, QLatin1Char('0'));
        const int lines = 1 + i % 3;
        for (int l = 0; l < lines; ++l) {
            OrderRow r { number, date };
            r.time = QStringLiteral("%1:%2:00").arg(8 + i / 3, 2, 10, QLatin1Char('0')).arg((i * 7) % 60, 2, 10, QLatin1Char('0'));
            r.item = QString::fromUtf8(items[(i + l) % 7]);
            r.quantity = 1 + l;
            r.price = "6.5";
            r.total = i % 2 ? "26" : "13";
            r.commission = "2";
            r.branch = QString::fromUtf8(stores[i % 3]);
            r.customer = QString::fromUtf8(names[i % 8]);
            r.phone = QStringLiteral("1380013%1").arg(i, 4, 10, QLatin1Char('0'));
            r.paid = i % 4 == 1 || i % 4 == 3;
            r.dispatched = i % 4 >= 2;
            r.payment = i == 7 ? QStringLiteral("签单") : QStringLiteral("现金");
            test::addOrderRow(db, r);
        }
    }
}

} // namespace

class BoardTest : public QObject
{
    Q_OBJECT

private slots:
    void dispatcherSeesTheDayFiltersAndColours()
    {
        UiFixture f;
        FixedClock clock(QDateTime(QDate(2026, 12, 11), QTime(11, 30)));
        f.ctx->clock = &clock;
        f.ctx->session.settings.commissionMode = QStringLiteral("菜品");
        f.ctx->session.settings.values.insert(QStringLiteral("营业延长时间"), QStringLiteral("0"));
        seedDay(f.main(), QStringLiteral("2026-12-11"));
        seedDay(f.main(), QStringLiteral("2026-12-10"));

        Board board(*f.ctx);
        board.resize(1280, 640);
        board.prepare({ QStringLiteral("总部"), QStringLiteral("东门店"), QStringLiteral("西门店") });
        QVERIFY(board.shuaxinmain());
        board.Button10Click();
        QCOMPARE(board.DBGridEh3->rowCount(), 24);
        QCOMPARE(board.DBGridEh3->footerText(QStringLiteral("时间")), QStringLiteral("24"));
        QCOMPARE(board.counterLabels[0]->text(), QStringLiteral("24  份"));
        QCOMPARE(board.counterLabels[4]->text(), QStringLiteral("1  张"));

        // Clicking an order shows its lines with their total.
        const QModelIndex second = board.DBGridEh3->view()->model()->index(1, 0);
        QTest::mouseClick(board.DBGridEh3->view()->viewport(), Qt::LeftButton, {},
                          board.DBGridEh3->view()->visualRect(second).center());
        QCOMPARE(board.rememberedOrder(), QStringLiteral("202612110002"));
        QCOMPARE(board.DBGridEh1->rowCount(), 3);
        QCOMPARE(board.DBGridEh1->footerText(QStringLiteral("应付货款")), QStringLiteral("39.00"));

        // The colouring switch comes from this workstation's table and is stored there when toggled.
        QVERIFY(board.colours->isChecked());
        board.colours->click();
        QCOMPARE(f.local().scalar(QStringLiteral("select 需要颜色 from 颜色显示")).toBool(), false);
        QVERIFY(!board.DBGridEh3->model()->rowColor(0).isValid());
        board.colours->click();
        QCOMPARE(f.local().scalar(QStringLiteral("select 需要颜色 from 颜色显示")).toBool(), true);
        QCOMPARE(board.DBGridEh3->model()->rowColor(0), QColor(0xC0, 0xDC, 0xC0)); // paid, not dispatched
        board.DBGridEh3->setCurrentRow(1);
        board.show();
        test::shot(&board, QStringLiteral("board"));

        // The export writes every column of the list, the statuses as 是/否, and opens the workbook.
        const QString workbook = f.dir.filePath(QStringLiteral("订单.xlsx"));
        board.ComboBox2->setCurrentText(QStringLiteral("按订单"));
        FileDialog::setNextFileName(workbook);
        board.exportToSpreadsheet();
        QCOMPARE(Desktop::lastOpened(), workbook);
        SheetData sheet;
        QString error;
        QVERIFY(readFirstSheet(workbook, &sheet, &error));
        QCOMPARE(sheet.rows.size(), size_t(25));
        const qsizetype paidColumn = sheet.rows[0].indexOf(QStringLiteral("交款完毕"));
        QVERIFY(paidColumn >= 0);
        QVERIFY(sheet.rows[0].contains(QStringLiteral("订货时间")));
        QCOMPARE(sheet.cell(1, paidColumn), QStringLiteral("是"));
        QCOMPARE(sheet.cell(2, paidColumn), QStringLiteral("否"));
        QCOMPARE(sheet.cell(2, sheet.rows[0].indexOf(QStringLiteral("单据编号"))), QStringLiteral("202612110002"));

        // 按菜品: every column of the order rows but the last, the board's titles where it has them.
        const QString items = f.dir.filePath(QStringLiteral("菜品.xlsx"));
        board.ComboBox2->setCurrentText(QStringLiteral("按菜品"));
        FileDialog::setNextFileName(items);
        board.exportToSpreadsheet();
        SheetData itemSheet;
        QVERIFY(readFirstSheet(items, &itemSheet, &error));
        QCOMPARE(itemSheet.rows.size(), size_t(1 + board.DBGridEh2->rowCount()));
        QVERIFY(itemSheet.rows[0].contains(QStringLiteral("签单数")));
        QVERIFY(itemSheet.rows[0].contains(QStringLiteral("订货时间")));
        QVERIFY(!itemSheet.rows[0].contains(QStringLiteral("实付票数")));
        QCOMPARE(itemSheet.cell(1, itemSheet.rows[0].indexOf(QStringLiteral("发货完毕"))).isEmpty(), false);

        // A status filter applies to "查询" only; the refresh shows every order again and finds the remembered one.
        board.rb4->setChecked(true);
        board.Button1Click();
        QVERIFY(board.DBGridEh3->rowCount() < 24);
        QVERIFY(board.shuaxinmain());
        QCOMPARE(board.DBGridEh3->rowCount(), 24);
        QCOMPARE(board.DBGridEh3->value(board.DBGridEh3->currentRow(), QStringLiteral("单据编号")).toString(),
                 QStringLiteral("202612110002"));

        // A range whose end is before its start: nothing.
        board.rb3->setChecked(true);
        board.rb9->setChecked(true);
        QVERIFY(board.dp1->isEnabled());
        board.dp1->setDate(QDate(2026, 12, 11));
        board.dp2->setDate(QDate(2026, 12, 10));
        board.Button1Click();
        QCOMPARE(board.DBGridEh3->rowCount(), 0);
        board.dp1->setDate(QDate(2026, 12, 10));
        board.dp2->setDate(QDate(2026, 12, 11));
        board.Button1Click();
        QCOMPARE(board.DBGridEh3->rowCount(), 48);

        // A branch operator is fixed to their store.
        board.fixToBranch(QStringLiteral("东门店"));
        QVERIFY(!board.ComboBox1->isEnabled() && board.rb2->isChecked());
        board.rb8->setChecked(true);
        board.Button1Click();
        QCOMPARE(board.DBGridEh3->rowCount(), 8);
    }

    void lostServerConnectionAsksToReconnect()
    {
        verdalo::test::ServerDatabase server;
        if (!server.available()) {
            if (!qEnvironmentVariableIsEmpty("VERDALO_TEST_PG_REQUIRED"))
                QFAIL("VERDALO_TEST_PG is required");
            QSKIP("no PostgreSQL server (set VERDALO_TEST_PG)");
        }
        QTemporaryDir dir;
        const PgSettings s = server.settings();
        QFile ini(dir.filePath(QStringLiteral("kf.ini")));
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write(QStringLiteral("[运行模式]\n值=网络版\n[服务器]\n值=%1:%2\n[用户名]\n值=%3\n[数据库名]\n值=%4\n")
                      .arg(s.host)
                      .arg(s.port)
                      .arg(s.user, s.database)
                      .toUtf8());
        ini.close();
        DataModule data { AppPaths(dir.path()) };
        QVERIFY(data.start().ok());
        AppContext ctx { data, {} };
        ctx.session.settings.commissionMode = QStringLiteral("次数");
        MessageBox::setTestMode(true);
        Board board(ctx);
        QVERIFY(board.shuaxinmain());

        const auto dropConnection = [&] {
            const QVariant pid = data.main().scalar(QStringLiteral("select pg_backend_pid()"));
            auto admin = Db::openPostgres(s);
            admin->exec(QStringLiteral("select pg_terminate_backend(:pid)"), { { QStringLiteral("pid"), pid } });
        };
        dropConnection();
        MessageBox::setNextAnswer(false);
        QVERIFY(!board.shuaxinmain());
        QCOMPARE(MessageBox::shownTexts().last(), QStringLiteral("连接已经断开，要重新连接吗吗？"));
        MessageBox::setNextAnswer(true);
        QVERIFY(board.shuaxinmain());
        QVERIFY(data.main().isAlive());
        MessageBox::setTestMode(false);
    }

    void emptyDayAndDoubleClicks()
    {
        UiFixture f;
        f.ctx->session.settings.commissionMode = QStringLiteral("次数");
        Board board(*f.ctx);
        board.prepare({ QStringLiteral("总部") });
        QVERIFY(board.shuaxinmain());
        board.Button10Click();
        QCOMPARE(board.DBGridEh3->rowCount(), 0);
        QCOMPARE(board.counterLabels[2]->text(), QStringLiteral("0  元"));
        emit board.DBGridEh3->view()->doubleClicked(QModelIndex());
        QCOMPARE(MessageBox::shownTexts().last(), QStringLiteral("请选择一个订单"));
    }
};

QTEST_MAIN(BoardTest)
#include "BoardTest.moc"
