#include "catalogue/CatalogueService.h"
#include "catalogue/ListWindows.h"
#include "catalogue/Tcaidan_guanli.h"
#include "catalogue/Tmenu_add.h"
#include "ui/UiFixture.h"
#include "widgets/DataGrid.h"
#include "widgets/FileDialog.h"
#include "widgets/RowEditor.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QtTest>

using namespace verdalo;
using verdalo::test::UiFixture;

namespace {
void typeText(QWidget *w, const QString &text)
{
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

void seedItems(Db &db)
{
    CatalogueService svc(db);
    int n = 1;
    for (const char *name : { "白菜", "萝卜", "可乐" }) {
        Item i;
        i.name = QString::fromUtf8(name);
        i.category = n == 3 ? QStringLiteral("饮料") : QStringLiteral("蔬菜");
        i.price = Money::fromUnits(10000 * n);
        i.sortNumber = n++;
        svc.saveItem(i, false);
    }
}
} // namespace

class CatalogueWindowsTest : public QObject
{
    Q_OBJECT

private slots:
    void initialsFollowEveryKeystroke()
    {
        UiFixture f;
        Tmenu_add editor(*f.ctx, Item {});
        editor.show();
        typeText(editor.DBEdit2, QStringLiteral("西"));
        QCOMPARE(editor.DBEdit5->text(), QStringLiteral("x"));
        typeText(editor.DBEdit2, QStringLiteral("红柿"));
        QCOMPARE(editor.DBEdit5->text(), QStringLiteral("xhs"));
        QTest::keyClick(editor.DBEdit2, Qt::Key_Backspace);
        QCOMPARE(editor.DBEdit5->text(), QStringLiteral("xh"));

        // A price that is not a number is refused and nothing is handed back.
        bool saved = false;
        connect(&editor, &Tmenu_add::saved, this, [&saved] { saved = true; });
        editor.DBEdit3->setText(QStringLiteral("五元"));
        editor.Button1Click();
        QVERIFY(!saved);
        QCOMPARE(MessageBox::shownTexts().last(), QStringLiteral("单价必须是数字！！"));
        editor.DBEdit3->setText(QStringLiteral("5"));
        editor.Button1Click();
        QVERIFY(saved);
    }

    void catalogueMovesEditsInPlaceAndCleansUpSetMenus()
    {
        UiFixture f;
        seedItems(f.main());
        CatalogueService(f.main()).addComponent(QStringLiteral("不存在的套餐"), QStringLiteral("米饭"), 1);
        {
            Tcaidan_guanli w(*f.ctx);
            w.show();
            test::shot(&w, QStringLiteral("catalogue"));
            QCOMPARE(w.DBGridEh1->rowCount(), 3);
            QCOMPARE(w.DBGridEh1->footerText(QStringLiteral("名称")), QStringLiteral("共3"));
            w.DBGridEh1->setCurrentRow(0);
            w.moveItem(true);
            QCOMPARE(MessageBox::shownTexts().last(), QStringLiteral("已经是最上层了"));
            w.moveItem(false);
            QCOMPARE(w.DBGridEh1->value(1, QStringLiteral("名称")).toString(), QStringLiteral("白菜"));
            QCOMPARE(w.DBGridEh1->value(w.DBGridEh1->currentRow(), QStringLiteral("名称")).toString(), QStringLiteral("白菜"));

            // In-place edit: saved when the cursor leaves the row.
            const int row = w.DBGridEh1->currentRow();
            const QModelIndex price = w.DBGridEh1->view()->model()->index(row, 4);
            w.DBGridEh1->view()->model()->setData(price, QStringLiteral("2.5"));
            w.DBGridEh1->setCurrentRow(0);
            const auto items = CatalogueService(f.main()).items();
            QCOMPARE(items[1].name, QStringLiteral("白菜"));
            QCOMPARE(items[1].price.units(), 25000);

            // Filling initials.
            w.fillInitials();
            QCOMPARE(MessageBox::shownTexts().last(), QStringLiteral("拼音补充完毕"));
            QCOMPARE(CatalogueService(f.main()).items()[0].initials, QStringLiteral("lb"));
            w.close();
        }
        QVERIFY(CatalogueService(f.main()).components(QStringLiteral("不存在的套餐")).empty());
    }

    void listWindowsFollowTheAddSaveStates()
    {
        UiFixture f;
        Tfkouwei_shezhi w(*f.ctx);
        QVERIFY(w.addButton->isEnabled() && !w.saveButton->isEnabled());
        QTest::mouseClick(w.addButton, Qt::LeftButton);
        QVERIFY(!w.addButton->isEnabled() && w.saveButton->isEnabled());
        QTest::keyClicks(w.edit, QStringLiteral("no spicy"));
        QVERIFY(!w.addButton->isEnabled());
        QTest::mouseClick(w.saveButton, Qt::LeftButton);
        QVERIFY(w.addButton->isEnabled() && !w.saveButton->isEnabled());
        QCOMPARE(w.grid->rowCount(), 1);
        // Typing into the field edits the current row.
        QTest::keyClicks(w.edit, QStringLiteral("!"));
        QVERIFY(w.saveButton->isEnabled());
        QTest::mouseClick(w.saveButton, Qt::LeftButton);
        QCOMPARE(f.main().scalar(QStringLiteral("select 口味 from 口味")).toString(), QStringLiteral("no spicy!"));
        QCOMPARE(f.main().scalar(QStringLiteral("select count(*) from 口味")).toInt(), 1);

        TFzhonglei_shezhi c(*f.ctx);
        for (const char *name : { "veg", "fruit" }) {
            QTest::mouseClick(c.categoryAdd, Qt::LeftButton);
            QTest::keyClicks(c.categoryEdit, QString::fromLatin1(name));
            QTest::mouseClick(c.categorySave, Qt::LeftButton);
        }
        QCOMPARE(c.categoryGrid->rowCount(), 2);
        // Showing the subcategory page twice does not repeat the names.
        c.PageControl1->setCurrentIndex(1);
        c.PageControl1->setCurrentIndex(0);
        c.PageControl1->setCurrentIndex(1);
        QCOMPARE(c.subCategory->count(), 2);
    }

    void areasTypesAndWorkersCheckTheirInput()
    {
        UiFixture f;
        Tqvyu_shezhi a(*f.ctx);
        a.areaEdit->setText(QStringLiteral("城东"));
        a.addArea();
        a.addArea();
        QCOMPARE(MessageBox::shownTexts().last(), QStringLiteral("已有重复记录！！"));
        a.storeEdit->setText(QStringLiteral("东门店"));
        a.addStore();
        QCOMPARE(MessageBox::shownTexts().last(), QStringLiteral("请选择大区域信息"));

        TFkehu_leixing t(*f.ctx);
        t.typeEdit->setText(QStringLiteral("会员"));
        t.rateEdit->setText(QStringLiteral("abc"));
        t.add();
        QCOMPARE(MessageBox::shownTexts().last(), QStringLiteral("折扣率必须是数字！！"));
        QCOMPARE(t.grid->rowCount(), 0);
        t.rateEdit->setText(QStringLiteral("9"));
        t.add();
        QCOMPARE(t.grid->rowCount(), 1);

        Tpeisongyuan_list list(*f.ctx);
        {
            Tpeisongyuan_add editor(*f.ctx, 0, &list);
            editor.nameEdit->setText(QStringLiteral("张三"));
            editor.close(); // not saved
        }
        list.load();
        QCOMPARE(list.grid->rowCount(), 0);
        Tpeisongyuan_add editor(*f.ctx, 0, &list);
        editor.nameEdit->setText(QStringLiteral("李四"));
        editor.save();
        list.load();
        QCOMPARE(list.grid->rowCount(), 1);
    }
};

QTEST_MAIN(CatalogueWindowsTest)
#include "CatalogueWindowsTest.moc"
