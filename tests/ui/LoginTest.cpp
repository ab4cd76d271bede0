#include "admin/Tcaozuoyuan_list.h"
#include "app/Tlogin.h"
#include "app/Tmain.h"
#include "core/PasswordHash.h"
#include "ui/UiFixture.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTreeWidget>
#include <QtTest>

using namespace verdalo;
using verdalo::test::UiFixture;

namespace {

void addOperator(Db &db, const QString &name, const QString &storedPassword, const QString &department,
                 const QVariant &rights, const QString &role = {})
{
    Params p { { QStringLiteral("用户"), name },
               { QStringLiteral("密码"), storedPassword },
               { QStringLiteral("部门"), department },
               { QStringLiteral("权限"), role } };
    for (int i = 1; i <= 9; ++i)
        p.set(QStringLiteral("r%1").arg(i), rights);
    db.exec(QStringLiteral("insert into 登陆 (用户, 密码, 部门, 权限, right1, right2, right3, right4, right5, right6, "
                           "right7, right8, right9) values (:用户, :密码, :部门, :权限, :r1, :r2, :r3, :r4, :r5, :r6, "
                           ":r7, :r8, :r9)"),
           p);
}

bool logIn(Tlogin &login, const QString &name, const QString &password)
{
    login.ComboBox1->setCurrentText(name);
    login.Edit2->setText(password);
    QTest::mouseClick(login.BitBtn1, Qt::LeftButton);
    return login.mainWindow() && login.mainWindow()->isVisible();
}

QStringList enabledEntries(Tmain *w)
{
    QStringList out;
    for (QMenu *menu : w->findChildren<QMenu *>()) {
        for (QAction *a : menu->actions()) {
            if (!a->text().isEmpty() && !a->isSeparator() && a->isEnabled() && !a->menu())
                out.append(a->text());
        }
    }
    out.sort();
    return out;
}

} // namespace

class LoginTest : public QObject
{
    Q_OBJECT

private slots:
    void wrongPasswordRefusesButFillsMissingRights()
    {
        UiFixture f;
        addOperator(f.main(), QStringLiteral("小王"), QStringLiteral("123"), QStringLiteral("总部"), QVariant());
        Tlogin login(*f.ctx);
        test::shot(&login, QStringLiteral("login"));
        QVERIFY(login.ComboBox1->findText(QStringLiteral("小王")) >= 0);
        QVERIFY(!logIn(login, QStringLiteral("admin"), QStringLiteral("wrong")));
        QCOMPARE(MessageBox::shownTexts(), QStringList { QStringLiteral("您无权登陆本系统！！") });
        // Enter in the password field logs in once.
        MessageBox::clearShown();
        login.show();
        login.Edit2->setFocus();
        QTest::keyClick(login.Edit2, Qt::Key_Return);
        QCOMPARE(MessageBox::shownTexts(), QStringList { QStringLiteral("您无权登陆本系统！！") });
        QVERIFY(login.BitBtn1->isEnabled());
        QCOMPARE(f.main().scalar(QStringLiteral("select right1 from 登陆 where 用户='小王'")).toString(),
                 QString(39, QLatin1Char('1')));
    }

    void legacyOperatorWithoutRightsLogsInWithAllButTheAdministratorEntries()
    {
        UiFixture f;
        // An older database: clear-text password, rights never set, no role.
        addOperator(f.main(), QStringLiteral("小王"), QStringLiteral("123"), QStringLiteral("总部"), QVariant());
        f.main().exec(QStringLiteral("update 登陆 set right2 = '' where 用户 = '小王'"));
        Tlogin login(*f.ctx);
        QVERIFY(logIn(login, QStringLiteral("小王"), QStringLiteral("123")));
        QVERIFY(MessageBox::shownTexts().isEmpty());

        // The password is no longer readable, and it still works.
        const QString stored = f.main().scalar(QStringLiteral("select 密码 from 登陆 where 用户='小王'")).toString();
        QVERIFY(password::isHash(stored));
        QVERIFY(password::verify(QStringLiteral("123"), stored));

        Tmain *w = login.mainWindow();
        test::shot(w, QStringLiteral("main"));
        QVERIFY(!login.isVisible());
        QCOMPARE(f.ctx->session.userName, QStringLiteral("小王"));
        QCOMPARE(f.ctx->session.loginMode, QStringLiteral("无来电登陆"));
        QCOMPARE(w->statusPanel(0)->text(), QStringLiteral("小王"));
        QCOMPARE(w->statusPanel(1)->text(), QStringLiteral("打开钱箱：空格"));
        QCOMPARE(w->windowTitle(), QStringLiteral("鲜到家来电显示Verdalo单机版"));
        for (const char *entry : { "系统设置", "菜品管理", "数据初始化", "提成查询", "权限管理", "数据恢复" })
            QVERIFY2(!w->menuAction(QString::fromUtf8(entry))->isEnabled(), entry);
        QVERIFY(w->toolAction(QStringLiteral("提成查询"))->isEnabled());
        QVERIFY(w->menuAction(QStringLiteral("销售开单"))->isEnabled());
        QVERIFY(w->menuAction(QStringLiteral("数据备份"))->isEnabled());
        QVERIFY(w->customerInfoVisible());
        QVERIFY(w->callHistoryButton()->isEnabled());
        // The "使用说明" entry is only for the product's own name; the help menu stays.
        QVERIFY(!w->menuAction(QStringLiteral("使用说明"))->isVisible());
        QVERIFY(w->menu(QStringLiteral("帮助"))->menuAction()->isVisible());
    }

    void newOperatorHasOnlyTheUngovernedEntries()
    {
        UiFixture f;
        addOperator(f.main(), QStringLiteral("新人"), password::hash(QStringLiteral("pw")), QStringLiteral("总部"),
                    QString(31, QLatin1Char('0')));
        Tlogin login(*f.ctx);
        QVERIFY(logIn(login, QStringLiteral("新人"), QStringLiteral("pw")));
        Tmain *w = login.mainWindow();
        const QStringList enabled = enabledEntries(w);
        for (const char *entry : { "刷新频率", "关于", "商品入库", "商品出库", "菜品种类销售汇总" })
            QVERIFY2(enabled.contains(QString::fromUtf8(entry)), entry);
        for (const char *entry : { "销售开单", "发货", "客户管理", "修改密码", "超时未订货客户提醒" })
            QVERIFY2(!enabled.contains(QString::fromUtf8(entry)), entry);
        QVERIFY(!w->menu(QStringLiteral("积分管理"))->menuAction()->isEnabled());
        QVERIFY(!w->toolAction(QStringLiteral("单一发货"))->isEnabled());
        QVERIFY(!w->customerInfoVisible());
        QVERIFY(!w->callHistoryButton()->isEnabled());
    }

    void branchOperatorIsFixedToTheBranch()
    {
        UiFixture f;
        f.main().exec(QStringLiteral("insert into 小区域 (区域, 小区域) values ('城东', '东门店')"));
        addOperator(f.main(), QStringLiteral("东门"), password::hash(QStringLiteral("1")), QStringLiteral("东门店"),
                    QString(39, QLatin1Char('1')));
        Tlogin login(*f.ctx);
        QVERIFY(logIn(login, QStringLiteral("东门"), QStringLiteral("1")));
        Tmain *w = login.mainWindow();
        QVERIFY(w->windowTitle().endsWith(QStringLiteral("-----分店：东门店")));
        QVERIFY(!w->toolAction(QStringLiteral("外卖开单"))->isEnabled());
        QVERIFY(!w->menuAction(QStringLiteral("销售开单"))->isEnabled());
        QVERIFY(w->toolAction(QStringLiteral("单一发货"))->isEnabled());
    }

    void deviceChoiceIsCheckedStoredAndRestored()
    {
        UiFixture f;
        f.local().exec(QStringLiteral("update 串口编号 set 编号 = 3"));
        f.local().exec(QStringLiteral("update 来电路数 set 路数 = '二路'"));
        {
            Tlogin login(*f.ctx);
            QVERIFY(login.cb1->isChecked());
            QCOMPARE(login.ComboBox2->currentText(), QStringLiteral("3"));
            QCOMPARE(login.ComboBox3->currentText(), QStringLiteral("二路"));
            QVERIFY(!login.cb2->isChecked());
            QVERIFY(!login.ComboBox4->isVisible());

            // The two choices exclude each other.
            QTest::mouseClick(login.cb2, Qt::LeftButton);
            QVERIFY(login.cb2->isChecked());
            QVERIFY(!login.cb1->isChecked());
            QTest::mouseClick(login.cb1, Qt::LeftButton);
            QVERIFY(!login.cb2->isChecked());

            // The refusals, in their order.
            login.ComboBox3->setCurrentText(QStringLiteral("八路"));
            QVERIFY(!logIn(login, QStringLiteral("admin"), QStringLiteral("admin")));
            login.ComboBox3->setCurrentText(QStringLiteral("四路"));
            login.ComboBox2->setCurrentText(QStringLiteral("6"));
            QVERIFY(!logIn(login, QStringLiteral("admin"), QStringLiteral("admin")));
            login.ComboBox3->setCurrentText(QStringLiteral("usb来电宝"));
            login.ComboBox2->setCurrentText(QString());
            QVERIFY(!logIn(login, QStringLiteral("admin"), QStringLiteral("admin")));
            QCOMPARE(MessageBox::shownTexts(),
                     (QStringList { QStringLiteral("接收设备类型选择错误！！"),
                                    QStringLiteral("一路和二路和四路的来电显示接收盒有效串口编号为1-4，请重新进行设置！！"),
                                    QStringLiteral("请选择串口编号！！") }));
            QVERIFY(login.BitBtn1->isEnabled());

            // usb来电宝 on port 6 is fine.
            login.ComboBox2->setCurrentText(QStringLiteral("6"));
            QVERIFY2(logIn(login, QStringLiteral("admin"), QStringLiteral("admin")),
                     qPrintable(MessageBox::shownTexts().join(QLatin1Char('|')) + login.ComboBox3->currentText() + QLatin1Char('/') + login.ComboBox2->currentText()));
            QCOMPARE(f.ctx->session.loginMode, QStringLiteral("来电登陆"));
            QCOMPARE(f.ctx->session.callerIdPort, 6);
            login.mainWindow()->hide();
        }
        QCOMPARE(f.local().scalar(QStringLiteral("select 编号 from 串口编号")).toInt(), 6);
        QCOMPARE(f.local().scalar(QStringLiteral("select 路数 from 来电路数")).toString(), QStringLiteral("usb来电宝"));

        // A recording box: the serial port is cleared and the box kept.
        {
            Tlogin login(*f.ctx);
            QTest::mouseClick(login.cb2, Qt::LeftButton);
            login.ComboBox4->setCurrentText(QStringLiteral("H型无录音"));
            login.ComboBox5->setCurrentText(QStringLiteral("4"));
            QVERIFY(logIn(login, QStringLiteral("admin"), QStringLiteral("admin")));
            QCOMPARE(f.ctx->session.loginMode, QStringLiteral("录音登陆H型无录音"));
            QCOMPARE(f.ctx->session.recordingLines, 4);
            login.mainWindow()->hide();
        }
        QCOMPARE(f.local().scalar(QStringLiteral("select 编号 from 串口编号")).toInt(), 0);
        QCOMPARE(f.local().scalar(QStringLiteral("select 录音设备 from 录音设备")).toString(), QStringLiteral("H型无录音"));
        QCOMPARE(f.local().scalar(QStringLiteral("select 路数 from 录音设备")).toInt(), 4);
        Tlogin again(*f.ctx);
        QVERIFY(again.cb2->isChecked() && !again.cb1->isChecked());
    }

    void operatorWindowStoresRightsAtOnceAndReappliesThem()
    {
        UiFixture f;
        Tlogin login(*f.ctx);
        QVERIFY(logIn(login, QStringLiteral("admin"), QStringLiteral("admin")));
        Tmain *w = login.mainWindow();
        {
            Tcaozuoyuan_list list(*f.ctx, w);
            QTreeWidgetItem *admin = list.TreeView1->topLevelItem(0);
            QCOMPARE(admin->text(0), QStringLiteral("admin"));
            QCOMPARE(admin->childCount(), 5);
            QCOMPARE(admin->child(1)->text(0), QStringLiteral("2. 业务管理"));
            list.TreeView1->setCurrentItem(admin->child(1));
            QCOMPARE(list.CheckListBox1->count(), 13);
            QCOMPARE(list.CheckListBox1->item(1)->text(), QStringLiteral("发货"));
            list.CheckListBox1->item(1)->setCheckState(Qt::Unchecked);
            QCOMPARE(f.main().scalar(QStringLiteral("select right2 from 登陆 where 用户='admin'")).toString(),
                     QStringLiteral("1011111111111"));

            // admin cannot be deleted, whichever of its nodes is selected.
            list.TreeView1->setCurrentItem(admin->child(3));
            list.Button3Click();
            QCOMPARE(MessageBox::shownTexts().last(), QStringLiteral("不能将管理员帐户删除！！"));
            QCOMPARE(f.main().scalar(QStringLiteral("select count(*) from 登陆")).toInt(), 1);

            // "修改" needs an operator node.
            list.Button2Click();
            QCOMPARE(MessageBox::shownTexts().last(), QStringLiteral("请选择低一层节点"));
        }
        // Closing the operator window applies the changed rights.
        QVERIFY(w->toolAction(QStringLiteral("单一发货"))->isEnabled());
        f.ctx->session.rights[1] = QStringLiteral("1011111111111");
        w->applyRights(true);
        QVERIFY(!w->toolAction(QStringLiteral("单一发货"))->isEnabled());
        QVERIFY(!w->menuAction(QStringLiteral("发货"))->isEnabled());
        QVERIFY(w->toolAction(QStringLiteral("单一收款"))->isEnabled());
    }

    void spaceOpensTheDrawerAndCancelKeepsTheProgram()
    {
        UiFixture f;
        const QString port = f.dir.filePath(QStringLiteral("drawer"));
        QFile(port).open(QIODevice::WriteOnly);
        QFile ini(f.dir.filePath(QStringLiteral("cysz.ini")));
        QVERIFY(ini.open(QIODevice::Append));
        ini.write(QStringLiteral("[钱箱端口]\n类型=%1\n").arg(port).toUtf8());
        ini.close();

        Tlogin login(*f.ctx);
        QVERIFY(logIn(login, QStringLiteral("admin"), QStringLiteral("admin")));
        Tmain *w = login.mainWindow();
        auto *edit = w->findChild<QLineEdit *>(QStringLiteral("Edit1"));
        QVERIFY(edit);
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_Space);
        QVERIFY(edit->text().isEmpty());
        QFile drawer(port);
        QVERIFY(drawer.open(QIODevice::ReadOnly));
        QCOMPARE(drawer.readAll(), QByteArray("\x1b\x70\x00\x3c\xff", 5));

        f.local().exec(QStringLiteral("insert into 销售临时表 (产品名称, 来电时间) values ('白菜', 'a1')"));
        MessageBox::setNextAnswer(false);
        w->close();
        QVERIFY(w->isVisible());
        QCOMPARE(MessageBox::shownTexts().last(), QStringLiteral("确实要退出吗？"));
        QCOMPARE(f.local().scalar(QStringLiteral("select count(*) from 销售临时表")).toInt(), 1);
    }
};

QTEST_MAIN(LoginTest)
#include "LoginTest.moc"
