#include "core/IniFile.h"
#include "settings/TFdianming_shezhi.h"
#include "settings/TFshuaxin_shezhi.h"
#include "settings/WorkstationSettings.h"
#include "ui/UiFixture.h"
#include "widgets/FileDialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>

using namespace verdalo;
using verdalo::test::UiFixture;

namespace {

void loadSession(UiFixture &f)
{
    QString error;
    loadSettings(f.main(), f.data->paths().cyszIni(), f.ctx->session.settings, &error);
}

QStringList iniSections(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList out;
    for (const QString &line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
        if (line.startsWith(QLatin1Char('[')))
            out.append(line.mid(1, line.size() - 2));
    }
    return out;
}

} // namespace

class SettingsWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void saveIsEnabledOnlyByTheShopRowAndWritesTheEditedKeys()
    {
        UiFixture f;
        loadSession(f);
        TFdianming_shezhi w(*f.ctx);
        w.useLogo->click();
        w.show();
        auto *tabs = w.findChild<QTabWidget *>();
        for (int i = 0; i < tabs->count(); ++i) {
            tabs->setCurrentIndex(i);
            test::shot(&w, QStringLiteral("settings-%1").arg(i + 1));
        }
        tabs->setCurrentIndex(0);
        w.useLogo->click();
        w.saveButton->setEnabled(false);
        QVERIFY(!w.saveButton->isEnabled());
        // Options kept in cysz.ini alone do not enable it.
        w.printMode->button(2)->click();
        w.extendDay->click();
        QVERIFY(!w.saveButton->isEnabled());
        // Typing into a field of the 店名 row does.
        QTest::keyClicks(w.shopName, QStringLiteral("A"));
        QVERIFY(w.saveButton->isEnabled());

        w.extendHour->setText(QStringLiteral("3"));
        w.kitchenOn->setChecked(true); // but no printer chosen
        w.commission->button(0)->click();
        w.perOrder->setText(QStringLiteral("2.5"));
        QTest::mouseClick(w.saveButton, Qt::LeftButton);
        QCOMPARE(MessageBox::shownTexts(), QStringList { QStringLiteral("修改完毕！！") });
        QVERIFY(!w.saveButton->isEnabled());

        const QString ini = f.data->paths().cyszIni();
        QStringList written = iniSections(ini);
        written.removeAll(QStringLiteral("公司简称")); // was there before
        QCOMPARE(written.size(), 16);
        IniFile file(ini);
        QVERIFY(file.load());
        const auto v = [&file](const char *key) { return file.value(QString::fromUtf8(key), QStringLiteral("类型")); };
        QCOMPARE(v("开单后打印"), QStringLiteral("直接打印"));
        QCOMPARE(v("营业延长时间"), QStringLiteral("3"));
        QCOMPARE(v("后厨打印机"), QString());
        QCOMPARE(v("图标显示"), QStringLiteral("default")); // not the settings window's key
        QCOMPARE(f.ctx->session.settings.value(QStringLiteral("营业延长时间")), QStringLiteral("3"));

        const ShopSettings shop = ShopSettings::load(f.main());
        QCOMPARE(shop.name, QStringLiteral("本店A"));
        QCOMPARE(shop.commissionMode, QStringLiteral("次数"));
        QCOMPARE(shop.commissionPerOrder.units(), 25000);
        QCOMPARE(f.ctx->session.settings.commissionMode, QStringLiteral("次数"));

        // Unticking the extension writes "0" whatever the hour field holds.
        w.extendDay->click();
        QTest::keyClicks(w.website, QStringLiteral("x"));
        QTest::mouseClick(w.saveButton, Qt::LeftButton);
        QVERIFY(file.load());
        QCOMPARE(v("营业延长时间"), QStringLiteral("0"));
    }

    void badNumbersAreRefusedAndNothingIsSaved()
    {
        UiFixture f;
        loadSession(f);
        TFdianming_shezhi w(*f.ctx);
        QTest::keyClicks(w.shopName, QStringLiteral("B"));
        w.reminderDays->setText(QStringLiteral("三十"));
        QTest::mouseClick(w.saveButton, Qt::LeftButton);
        QCOMPARE(MessageBox::shownTexts(), QStringList { QStringLiteral("未订货客户提醒天数必须是整数！！") });
        QVERIFY(!QFile::exists(f.data->paths().cyszIni()) || !iniSections(f.data->paths().cyszIni()).contains(QStringLiteral("计算精度")));
        QCOMPARE(ShopSettings::load(f.main()).name, QStringLiteral("本店"));
    }

    void logoIsCopiedOrTheOldOneStays()
    {
        UiFixture f;
        loadSession(f);
        TFdianming_shezhi w(*f.ctx); // no 店标.bmp yet: the window opens all the same
        const QString source = f.dir.filePath(QStringLiteral("new.bmp"));
        QImage img(430, 60, QImage::Format_RGB32);
        img.fill(Qt::red);
        QVERIFY(img.save(source, "BMP"));
        FileDialog::setNextFileName(source);
        w.browseLogo();
        QCOMPARE(MessageBox::shownTexts().last(), QStringLiteral("数据文件更新成功！"));
        const QString logo = f.dir.filePath(QStringLiteral("店标.bmp"));
        QVERIFY(QFile::exists(logo));
        const QByteArray before = [&logo] {
            QFile file(logo);
            return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        }();

        FileDialog::setNextFileName(f.dir.filePath(QStringLiteral("missing.bmp")));
        w.browseLogo();
        QCOMPARE(MessageBox::shownTexts().last(), QStringLiteral("数据文件更新失败！"));
        QFile file(logo);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), before);
    }

    void refreshPeriodIsCheckedAndStored()
    {
        UiFixture f;
        TFshuaxin_shezhi w(*f.ctx);
        QCOMPARE(w.SpinEdit1->text(), QStringLiteral("30"));
        for (const char *bad : { "abc", "0", "3601", "" }) {
            w.SpinEdit1->setText(QString::fromUtf8(bad));
            w.Button1Click();
        }
        QCOMPARE(MessageBox::shownTexts().size(), 4);
        QCOMPARE(f.local().scalar(QStringLiteral("select 刷新频率 from 刷新频率")).toInt(), 30);
        w.SpinEdit1->setText(QStringLiteral("10"));
        w.Button1Click();
        QCOMPARE(MessageBox::shownTexts().last(), QStringLiteral("设置完毕！！"));
        QCOMPARE(f.local().scalar(QStringLiteral("select 刷新频率 from 刷新频率")).toInt(), 10);
        // The running period is the one read at login.
        QCOMPARE(f.ctx->session.refreshSeconds, 0);
    }
};

QTEST_MAIN(SettingsWindowTest)
#include "SettingsWindowTest.moc"
