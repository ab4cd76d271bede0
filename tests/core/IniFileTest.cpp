#include "core/Gbk.h"
#include "core/IniFile.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "support/TestFiles.h"

using namespace verdalo;
using verdalo::test::readFile;
using verdalo::test::writeFile;

TEST(IniFile, MissingFileAndKeysReadAsDefault)
{
    QTemporaryDir dir;
    IniFile ini(dir.filePath(QStringLiteral("none.ini")));
    ASSERT_TRUE(ini.load());
    EXPECT_FALSE(ini.existed());
    EXPECT_EQ(ini.value(QStringLiteral("运行模式"), QStringLiteral("值")), QStringLiteral("default"));
}

TEST(IniFile, ReadsGbkAndKeepsItWhenRewriting)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("kf.ini"));
    const QString text = QStringLiteral("; 数据库设置\r\n[运行模式]\r\n值=网络版\r\n[开单后打印]\r\n[后厨打印机]\r\n类型=\r\n");
    writeFile(path, gbk::encode(text));

    IniFile ini(path);
    ASSERT_TRUE(ini.load());
    EXPECT_EQ(ini.encoding(), IniFile::Encoding::Gbk);
    EXPECT_EQ(ini.value(QStringLiteral("运行模式"), QStringLiteral("值")), QStringLiteral("网络版"));
    // A section without the key reads as default; an existing empty value stays empty.
    EXPECT_EQ(ini.value(QStringLiteral("开单后打印"), QStringLiteral("类型")), QStringLiteral("default"));
    EXPECT_EQ(ini.value(QStringLiteral("后厨打印机"), QStringLiteral("类型")), QString());

    ini.setValue(QStringLiteral("运行模式"), QStringLiteral("值"), QStringLiteral("单机版"));
    ini.setValue(QStringLiteral("开单后打印"), QStringLiteral("类型"), QStringLiteral("直接打印"));
    ini.setValue(QStringLiteral("数据库名"), QStringLiteral("值"), QStringLiteral("外卖"));
    ASSERT_TRUE(ini.save());

    const QByteArray bytes = readFile(path);
    EXPECT_FALSE(gbk::isValidUtf8(bytes)) << "the file must stay GBK";
    const QString back = gbk::decode(bytes);
    EXPECT_EQ(back,
              QStringLiteral("; 数据库设置\r\n[运行模式]\r\n值=单机版\r\n[开单后打印]\r\n类型=直接打印\r\n[后厨打印机]\r\n"
                             "类型=\r\n[数据库名]\r\n值=外卖\r\n"));
}

TEST(IniFile, NewFileIsUtf8AndUnreadableFileIsAnError)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("cysz.ini"));
    IniFile ini(path);
    ASSERT_TRUE(ini.load());
    ini.setValue(QStringLiteral("计算精度"), QStringLiteral("类型"), QStringLiteral("角"));
    ASSERT_TRUE(ini.save());
    EXPECT_EQ(readFile(path), QStringLiteral("[计算精度]\n类型=角\n").toUtf8());

    IniFile folder(dir.path());
    EXPECT_FALSE(folder.load());
    EXPECT_FALSE(folder.errorString().isEmpty());
}
