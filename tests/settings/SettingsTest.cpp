#include "core/IniFile.h"
#include "data/Schema.h"
#include "printing/CashDrawer.h"
#include "settings/WorkstationSettings.h"
#include "support/TestDatabase.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "support/TestFiles.h"
#include <sys/stat.h>
#include <unistd.h>

using namespace verdalo;
using verdalo::test::readFile;
using verdalo::test::writeFile;

TEST(Cysz, MissingKeysTakeDefaultsAndEmptyValuesStayEmpty)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("cysz.ini"));
    writeFile(path, QStringLiteral("[开单后打印]\n[后厨打印机]\n类型=\n[计算精度]\n类型=角\n[钱箱端口]\n类型=\n").toUtf8());
    Settings s;
    QString error;
    ASSERT_TRUE(cysz::load(path, s, &error));
    EXPECT_EQ(s.value(QStringLiteral("开单后打印")), QStringLiteral("打印预览")); // section without the key
    EXPECT_EQ(s.value(QStringLiteral("后厨打印机")), QString());
    EXPECT_EQ(s.value(QStringLiteral("钱箱端口")), QString()); // an existing empty value stays empty
    EXPECT_EQ(s.value(QStringLiteral("计算精度")), QStringLiteral("角"));
    EXPECT_EQ(s.rounding, QStringLiteral("角"));
    EXPECT_EQ(s.value(QStringLiteral("营业延长时间")), QStringLiteral("0"));
    EXPECT_EQ(s.value(QStringLiteral("默认送餐分钟")), QStringLiteral("30"));
    EXPECT_EQ(s.value(QStringLiteral("库存显示")), QStringLiteral("统一"));
    EXPECT_EQ(s.value(QStringLiteral("公司简称")), vendor::kShortName);
    EXPECT_EQ(s.pointsDivisor, QStringLiteral("1"));
    EXPECT_EQ(s.addressWithArea, QStringLiteral("不包含"));
    EXPECT_EQ(s.customLineHeight, 22);

    // No file at all: every default.
    Settings none;
    ASSERT_TRUE(cysz::load(dir.filePath(QStringLiteral("none.ini")), none, &error));
    EXPECT_EQ(none.value(QStringLiteral("开启钱箱")), QStringLiteral("否"));
    EXPECT_EQ(none.value(QStringLiteral("钱箱端口")), QStringLiteral("LPT1"));
    EXPECT_EQ(none.values.size(), cysz::keys().size());
}

TEST(Cysz, UnwritableFileIsReportedAndShopRowRolledBack)
{
    // A folder where the file should be cannot be written, even by root.
    verdalo::test::TestDatabase t(Backend::Sqlite);
    schema::create(t.db(), DbRole::Main);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("cysz.ini"));
    QDir().mkpath(path);
    ShopSettings shop = ShopSettings::load(t.db());
    shop.name = QStringLiteral("新店名");
    shop.commissionPerOrder = Money::fromUnits(25000);
    EXPECT_FALSE(saveSettingsWindow(t.db(), shop, path, { { QStringLiteral("计算精度"), QStringLiteral("元") } }).isEmpty());
    EXPECT_EQ(ShopSettings::load(t.db()).name, QStringLiteral("本店"));

    QDir(path).removeRecursively();
    EXPECT_TRUE(saveSettingsWindow(t.db(), shop, path, { { QStringLiteral("计算精度"), QStringLiteral("元") } }).isEmpty());
    const ShopSettings back = ShopSettings::load(t.db());
    EXPECT_EQ(back.name, QStringLiteral("新店名"));
    EXPECT_EQ(back.commissionPerOrder.units(), 25000);
    IniFile ini(path);
    ASSERT_TRUE(ini.load());
    EXPECT_EQ(ini.value(QStringLiteral("计算精度"), QStringLiteral("类型")), QStringLiteral("元"));
}

TEST(CashDrawer, WritesThePulseOrExplainsWhyNot)
{
    QTemporaryDir dir;
    const QString port = dir.filePath(QStringLiteral("lp0"));
    writeFile(port, {});
    QString error;
    ASSERT_TRUE(openCashDrawer(port, &error)) << error.toStdString();
    QFile f(port);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("\x1b\x70\x00\x3c\xff", 5));

    // A missing device is an error and nothing is created.
    const QString missing = dir.filePath(QStringLiteral("nothing"));
    EXPECT_FALSE(openCashDrawer(missing, &error));
    EXPECT_TRUE(error.startsWith(QStringLiteral("开钱箱出错！请检查连接，没有钱箱请将系统设置的“钱箱接口”选择成空的。\r")));
    EXPECT_FALSE(QFile::exists(missing));

    // A pipe nobody reads fails at once instead of hanging.
    const QString fifo = dir.filePath(QStringLiteral("fifo"));
    ASSERT_EQ(mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
    EXPECT_FALSE(openCashDrawer(fifo, &error));

    // No port: the shop has no drawer.
    EXPECT_TRUE(openCashDrawer(QString(), &error));
    EXPECT_EQ(cashDrawerDevice(QStringLiteral("LPT1")), QStringLiteral("/dev/lp0"));
    EXPECT_EQ(cashDrawerDevice(QStringLiteral("com2")), QStringLiteral("/dev/ttyS1"));
}
