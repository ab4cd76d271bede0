#include "catalogue/CatalogueService.h"
#include "core/BusinessDate.h"
#include "orders/Txiaoshou.h"
#include "printing/ReceiptPrinter.h"
#include "ui/UiFixture.h"
#include "widgets/DataGrid.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStackedWidget>
#include <QTableView>
#include <QFrame>
#include <QTimer>
#include <QtTest>

using namespace verdalo;
using verdalo::test::UiFixture;

namespace {
void seed(Db &db)
{
    CatalogueService svc(db);
    int n = 1;
    for (const auto &item : { std::pair { "白菜", "3" }, { "菠菜", "4" }, { "可乐", "5" } }) {
        Item i;
        i.name = QString::fromUtf8(item.first);
        i.category = QStringLiteral("蔬菜");
        Money::parse(QString::fromLatin1(item.second), &i.price);
        i.initials = QString::fromUtf8(item.first) == QStringLiteral("可乐") ? QStringLiteral("kl") : QStringLiteral("bc");
        i.stock = 10;
        i.sortNumber = n++;
        svc.saveItem(i, false);
    }
    db.exec(QStringLiteral("insert into 客户资料 (客户姓名, 联系电话, 联系地址, 客户类型, 客户地区, 购物次数, 购物金额, 可用积分, 帐户余额, 信用等级) "
                           "values ('王先生', '0571,13800138000', '人民路1号', '普通', '城东', 0, 0, 0, 0, '好')"));
}
} // namespace

// Records what would have been printed.
class RecordingTarget : public PrintTarget
{
public:
    void output(const PrintJob &job, const std::function<void(QPrinter *)> &) override { jobs.push_back(job); }
    std::vector<PrintJob> jobs;
};

class TxiaoshouTest : public QObject
{
    Q_OBJECT

private slots:
    void takesOrdersOneAfterAnother()
    {
        UiFixture f;
        seed(f.main());
        f.ctx->session.settings.values.insert(QStringLiteral("计算精度"), QStringLiteral("角分"));
        f.ctx->session.settings.values.insert(QStringLiteral("营业延长时间"), QStringLiteral("0"));
        f.ctx->session.settings.commissionMode = QStringLiteral("菜品");
        f.ctx->session.rights[1] = QString(13, QLatin1Char('1'));
        f.ctx->session.settings.values.insert(QStringLiteral("开单后打印"), QStringLiteral("直接打印"));
        RecordingTarget printed;
        f.ctx->printTarget = &printed;
        Txiaoshou w(*f.ctx);
        w.show();
        QStringList numbers;
        connect(&w, &Txiaoshou::orderSaved, this, [&numbers](const QString &n) { numbers.append(n); });

        for (int order = 0; order < 3; ++order) {
            QVERIFY(w.cartGrid->rowCount() == 0);
            QTest::keyClicks(w.phone, QStringLiteral("13800138000"));
            QTest::keyClick(w.phone, Qt::Key_Return);
            QCOMPARE(w.name->text(), QStringLiteral("王先生"));
            QCOMPARE(w.phone->text(), QStringLiteral("0571,13800138000"));
            QCOMPARE(w.store->currentText(), QStringLiteral("总部"));

            // Pick by pinyin: two items match "bc"; Enter takes the first into the cart.
            w.pinyin->clear();
            QTest::keyClicks(w.pinyin, QStringLiteral("bc"));
            QCOMPARE(w.itemIcons->count(), 2);
            QTest::keyClick(w.pinyin, Qt::Key_Return);
            QTest::keyClick(w.itemIcons, Qt::Key_Return);
            QCOMPARE(w.cartGrid->rowCount(), 1);
            // Quantity 3 typed in the grid.
            w.cartGrid->view()->model()->setData(w.cartGrid->view()->model()->index(0, 2), QStringLiteral("3"));
            w.cartGrid->commitPendingRow();
            QTest::qWait(20);
            QCOMPARE(w.discounted->text(), QStringLiteral("9.00"));
            if (order == 0)
                test::shot(&w, QStringLiteral("txiaoshou"));
            QTest::keyClick(&w, Qt::Key_F1);
            QCOMPARE(MessageBox::shownTexts().last(), QStringLiteral("订单录入完毕！！"));
        }
        QCOMPARE(printed.jobs.size(), size_t(3)); // one receipt per order, straight to the printer
        QCOMPARE(printed.jobs[0].layout, Layout::Ordinary);
        QVERIFY(!printed.jobs[0].preview);
        const QString day = QDate::currentDate().toString(QStringLiteral("yyyyMMdd"));
        const QDate business = businessDate(QDateTime::currentDateTime(), QStringLiteral("0"));
        const QString prefix = business.toString(QStringLiteral("yyyyMMdd"));
        Q_UNUSED(day)
        QCOMPARE(numbers, (QStringList { prefix + QStringLiteral("0001"), prefix + QStringLiteral("0002"), prefix + QStringLiteral("0003") }));
        QCOMPARE(f.main().scalar(QStringLiteral("select count(*) from 产品销售开票")).toInt(), 3);
        QCOMPARE(f.main().scalar(QStringLiteral("select 电话 from 产品销售开票 order by id limit 1")).toString(),
                 QStringLiteral("0571,13800138000"));
        QCOMPARE(f.main().scalar(QStringLiteral("select 购物次数 from 客户资料")).toInt(), 3);
        QCOMPARE(f.main().scalar(QStringLiteral("select 当前库存 from 菜单表 where 名称='白菜'")).toDouble(), 1.0);
        QCOMPARE(f.local().scalar(QStringLiteral("select count(*) from 销售临时表")).toInt(), 0);
    }

    void mergeQuestionWaitsForItsAnswer()
    {
        UiFixture f;
        seed(f.main());
        Txiaoshou w(*f.ctx);
        w.show();
        // A new phone, but the name and address of a known customer.
        w.phone->setText(QStringLiteral("13911112222"));
        w.name->setText(QStringLiteral("王先生"));
        w.address->setEditText(QStringLiteral("人民路1号"));
        QTest::keyClicks(w.pinyin, QStringLiteral("kl"));
        QTest::keyClick(w.pinyin, Qt::Key_Return);
        QTest::keyClick(w.itemIcons, Qt::Key_Return);
        QPushButton *merge = nullptr;
        for (QPushButton *b : w.mergePanel->findChildren<QPushButton *>()) {
            if (b->text() == QStringLiteral("合并客户资料"))
                merge = b;
        }
        QVERIFY(merge);
        bool panelShown = false;
        QTimer::singleShot(100, merge, [&] {
            panelShown = w.mergePanel->isVisible() && !w.saveButton->isEnabled();
            merge->click();
        });
        w.save();
        QVERIFY(panelShown);
        QVERIFY(!w.mergePanel->isVisible());
        QCOMPARE(MessageBox::shownTexts().last(), QStringLiteral("订单录入完毕！！"));
        QCOMPARE(f.main().scalar(QStringLiteral("select count(*) from 客户资料")).toInt(), 1);
        QCOMPARE(f.main().scalar(QStringLiteral("select 联系电话 from 客户资料")).toString(),
                 QStringLiteral("0571,13800138000,13911112222"));
    }

    void refusesBadInputAndCopiesTheUndiscountedTotal()
    {
        UiFixture f;
        seed(f.main());
        f.ctx->session.settings.values.insert(QStringLiteral("计算精度"), QStringLiteral("角分"));
        f.ctx->session.rights[1] = QString(13, QLatin1Char('1'));
        Txiaoshou w(*f.ctx);
        w.show();
        QTest::keyClick(&w, Qt::Key_F1);
        QCOMPARE(MessageBox::shownTexts().last(), QStringLiteral("购物车不能空！！"));
        QTest::keyClicks(w.pinyin, QStringLiteral("kl"));
        QTest::keyClick(w.pinyin, Qt::Key_Return);
        QTest::keyClick(w.itemIcons, Qt::Key_Return);
        QTest::keyClick(&w, Qt::Key_F1);
        QCOMPARE(MessageBox::shownTexts().last(), QStringLiteral("客户电话不能空！！"));

        // A discount that is not a number: the previous total stays and nothing is saved.
        w.phone->setText(QStringLiteral("139"));
        w.discount->clear();
        QTest::keyClicks(w.discount, QStringLiteral("8"));
        QCOMPARE(w.discounted->text(), QStringLiteral("4.00"));
        w.discount->setText(QStringLiteral("八折"));
        w.save();
        QVERIFY(MessageBox::shownTexts().last().contains(QStringLiteral("折扣")));
        QCOMPARE(w.discounted->text(), QStringLiteral("4.00"));
        QCOMPARE(f.main().scalar(QStringLiteral("select count(*) from 产品销售开票")).toInt(), 0);
        QVERIFY(w.saveButton->isEnabled());

        // Text typed as a quantity is refused.
        w.cartGrid->view()->model()->setData(w.cartGrid->view()->model()->index(0, 2), QStringLiteral("三"));
        w.cartGrid->commitPendingRow();
        QCOMPARE(MessageBox::shownTexts().last(), QStringLiteral("数量必须是数字！！"));

        w.discount->setText(QStringLiteral("8"));
        w.name->setText(QStringLiteral("李四"));
        w.copyToClipboard();
        QCOMPARE(MessageBox::shownTexts().last(), QStringLiteral("复制成功"));
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("李四/139/[可乐1份]总计:5元"));

        // The item list view is remembered in cysz.ini.
        w.setItemView(false);
        QCOMPARE(w.itemViews->currentIndex(), 1);
        QCOMPARE(f.ctx->session.settings.value(QStringLiteral("图标显示")), QStringLiteral("列表"));
    }
};

QTEST_MAIN(TxiaoshouTest)
#include "TxiaoshouTest.moc"
