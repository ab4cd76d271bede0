#include "core/Gbk.h"
#include "core/TextHelpers.h"
#include "data/DataModule.h"
#include "data/Schema.h"
#include "support/TestDatabase.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "support/TestFiles.h"

using namespace verdalo;
using verdalo::test::readFile;
using verdalo::test::writeFile;

namespace {


QByteArray fileHash(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

QByteArray kfIni(const QString &mode, const PgSettings &s, const QString &scrambledPassword)
{
    return QStringLiteral("[运行模式]\r\n值=%1\r\n[服务器]\r\n值=%2:%3\r\n[用户名]\r\n值=%4\r\n[密码]\r\n值=%5\r\n"
                          "[数据库名]\r\n值=%6\r\n")
        .arg(mode, s.host)
        .arg(s.port)
        .arg(s.user, scrambledPassword, s.database)
        .toUtf8();
}

} // namespace

TEST(DataModule, FirstRunCreatesTheStandaloneDatabases)
{
    QTemporaryDir dir;
    const AppPaths paths(dir.filePath(QStringLiteral("new/folder")));
    DataModule dm(paths);
    const StartupReport r = dm.start();
    ASSERT_TRUE(r.ok()) << r.message.toStdString() << r.detail.toStdString();
    EXPECT_TRUE(r.notices.isEmpty());
    EXPECT_TRUE(r.createdMain && r.createdLocal && r.createdPatch);
    for (const QString &f : { paths.mainDb(), paths.localDb(), paths.patchDb() })
        EXPECT_TRUE(QFile::exists(f)) << f.toStdString();
    // No kf.ini: the run mode reads "default", which is the stand-alone edition.
    EXPECT_FALSE(QFile::exists(paths.kfIni()));
    EXPECT_EQ(dm.runMode(), QStringLiteral("default"));
    EXPECT_FALSE(dm.isNetwork());
    EXPECT_EQ(dm.main().backend(), Backend::Sqlite);
    EXPECT_TRUE(schema::isCreated(dm.main(), DbRole::Main));
    EXPECT_TRUE(schema::isCreated(dm.local(), DbRole::Local));
    EXPECT_EQ(dm.main().scalar(QStringLiteral("select count(*) from 登陆")).toInt(), 1);

    // The second start opens what is there and creates nothing.
    DataModule again(paths);
    const StartupReport r2 = again.start();
    ASSERT_TRUE(r2.ok());
    EXPECT_FALSE(r2.createdMain || r2.createdLocal || r2.createdPatch);
}

TEST(DataModule, OnlyTheExactNetworkTextSelectsTheServer)
{
    const struct
    {
        QString written;
        QString runMode;
    } cases[] = {
        { QStringLiteral("网络版 "), QStringLiteral("网络版 ") },
        { QStringLiteral("网络"), QStringLiteral("网络") },
        { QStringLiteral("网络版"), QStringLiteral("网络版") },
        { QString(), QStringLiteral("单机版") },
        { QStringLiteral("单机版"), QStringLiteral("单机版") },
    };
    for (const auto &c : cases) {
        QTemporaryDir dir;
        const AppPaths paths(dir.path());
        writeFile(paths.kfIni(), gbk::encode(QStringLiteral("[运行模式]\r\n值=%1\r\n").arg(c.written)));
        ConnectionSettings s;
        QString error;
        ASSERT_TRUE(ConnectionSettings::read(paths.kfIni(), &s, &error));
        EXPECT_EQ(s.runMode, c.runMode) << c.written.toStdString();
        EXPECT_EQ(s.isNetwork(), c.runMode == QStringLiteral("网络版"));
    }
}

TEST(DataModule, SettingsCommandRoundTripsTheScrambledPassword)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("kf.ini"));
    // An existing GBK file keeps its encoding and its other lines.
    writeFile(path, gbk::encode(QStringLiteral("; 外卖店\r\n[运行模式]\r\n值=单机版\r\n")));
    ConnectionSettings s;
    s.runMode = QStringLiteral("网络版");
    s.server = QStringLiteral("10.0.0.5:5433");
    s.user = QStringLiteral("shop");
    s.password = QStringLiteral("口令p@ss");
    s.database = QStringLiteral("外卖");
    QString error;
    ASSERT_TRUE(ConnectionSettings::write(path, s, &error)) << error.toStdString();

    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QString text = gbk::decode(f.readAll());
    EXPECT_TRUE(text.startsWith(QStringLiteral("; 外卖店\r\n")));
    EXPECT_FALSE(text.contains(s.password)) << "the password is stored scrambled";
    EXPECT_TRUE(text.contains(ScrambleText(s.password)));

    ConnectionSettings back;
    ASSERT_TRUE(ConnectionSettings::read(path, &back, &error));
    EXPECT_TRUE(back.isNetwork());
    EXPECT_EQ(back.password, s.password);
    EXPECT_EQ(back.pgSettings().host, QStringLiteral("10.0.0.5"));
    EXPECT_EQ(back.pgSettings().port, 5433);
    EXPECT_EQ(back.pgSettings().database, QStringLiteral("外卖"));
}

TEST(DataModule, BadFilesGiveAClearMessageAndTouchNothing)
{
    // A main database file that is not a database.
    {
        QTemporaryDir dir;
        const AppPaths paths(dir.path());
        ASSERT_TRUE(DataModule(paths).start().ok());
        writeFile(paths.mainDb(), QByteArray(8192, '\x5a'));
        const QByteArray before = fileHash(paths.mainDb());
        DataModule dm(paths);
        const StartupReport r = dm.start();
        EXPECT_EQ(r.outcome, StartupReport::Outcome::MainFailed);
        EXPECT_EQ(r.message, QStringLiteral("连接失败！！"));
        EXPECT_FALSE(r.detail.isEmpty());
        EXPECT_EQ(fileHash(paths.mainDb()), before);
        EXPECT_FALSE(dm.hasMain());
    }
    // A local database that is not a database: the program does not start; the file stays as it was.
    {
        QTemporaryDir dir;
        const AppPaths paths(dir.path());
        writeFile(paths.localDb(), QByteArray("not a database at all, just text"));
        const QByteArray before = fileHash(paths.localDb());
        const StartupReport r = DataModule(paths).start();
        EXPECT_EQ(r.outcome, StartupReport::Outcome::LocalFailed);
        EXPECT_FALSE(r.message.isEmpty());
        EXPECT_EQ(fileHash(paths.localDb()), before);
        EXPECT_FALSE(QFile::exists(paths.mainDb()));
    }
    // kf.ini that cannot be read at all (here a folder of that name).
    {
        QTemporaryDir dir;
        const AppPaths paths(dir.path());
        QDir().mkpath(paths.kfIni());
        const StartupReport r = DataModule(paths).start();
        EXPECT_EQ(r.outcome, StartupReport::Outcome::SettingsFailed);
        EXPECT_FALSE(QFile::exists(paths.mainDb()));
    }
    // kf.ini full of noise: nothing in it selects the server, so the stand-alone edition starts.
    {
        QTemporaryDir dir;
        const AppPaths paths(dir.path());
        writeFile(paths.kfIni(), QByteArray("\x00\xff\xfe[[[==\n\x81\x82", 12));
        DataModule dm(paths);
        EXPECT_TRUE(dm.start().ok());
        EXPECT_FALSE(dm.isNetwork());
    }
}

TEST(DataModule, MissingPatchDatabaseIsReportedAndStartGoesOn)
{
    QTemporaryDir dir;
    const AppPaths paths(dir.path());
    ASSERT_TRUE(DataModule(paths).start().ok());
    ASSERT_TRUE(QFile::remove(paths.patchDb()));

    DataModule dm(paths);
    const StartupReport r = dm.start();
    ASSERT_TRUE(r.ok());
    ASSERT_EQ(r.notices.size(), 1);
    EXPECT_TRUE(r.notices.first().contains(QStringLiteral("buding.db"))) << r.notices.first().toStdString();
    EXPECT_FALSE(QFile::exists(paths.patchDb())) << "a missing patch database is not made up";
    EXPECT_EQ(dm.main().scalar(QStringLiteral("select 版本号 from 版本号")).toString(), schema::kBaseVersion);
}

TEST(DataModule, UnreachableServerAsksForTheDatabaseSettings)
{
    QTemporaryDir dir;
    const AppPaths paths(dir.path());
    PgSettings nowhere;
    nowhere.host = QStringLiteral("127.0.0.1");
    nowhere.port = 1;
    nowhere.user = QStringLiteral("shop");
    nowhere.database = QStringLiteral("shop");
    writeFile(paths.kfIni(), kfIni(QStringLiteral("网络版"), nowhere, ScrambleText(QStringLiteral("pw"))));
    DataModule dm(paths);
    const StartupReport r = dm.start();
    EXPECT_EQ(r.outcome, StartupReport::Outcome::MainFailed);
    EXPECT_EQ(r.message, QStringLiteral("连接失败，请您先进行数据库设置！！"));
    EXPECT_FALSE(QFile::exists(paths.mainDb())) << "the network edition never falls back to a local file";
}

TEST(DataModule, NetworkEditionCreatesTheSchemaOnAnEmptyServerDatabase)
{
    verdalo::test::ServerDatabase server;
    VERDALO_REQUIRE_BACKEND(server);
    QTemporaryDir dir;
    const AppPaths paths(dir.path());
    PgSettings s = server.settings();
    // The test server trusts local connections, so the password is not checked; it still travels scrambled.
    writeFile(paths.kfIni(), kfIni(QStringLiteral("网络版"), s, ScrambleText(QStringLiteral("秘密"))));

    DataModule dm(paths);
    const StartupReport r = dm.start();
    ASSERT_TRUE(r.ok()) << r.message.toStdString() << " " << r.detail.toStdString();
    EXPECT_TRUE(dm.isNetwork());
    EXPECT_EQ(dm.connection().password, QStringLiteral("秘密"));
    EXPECT_EQ(dm.databaseName(), s.database);
    EXPECT_EQ(dm.main().backend(), Backend::Postgres);
    EXPECT_TRUE(r.createdMain);
    EXPECT_TRUE(schema::isCreated(dm.main(), DbRole::Main));
    EXPECT_FALSE(QFile::exists(paths.mainDb()));
    EXPECT_TRUE(QFile::exists(paths.localDb()));

    // A second workstation finds the schema there and creates nothing.
    QTemporaryDir dir2;
    const AppPaths paths2(dir2.path());
    writeFile(paths2.kfIni(), kfIni(QStringLiteral("网络版"), s, ScrambleText(QStringLiteral("秘密"))));
    DataModule second(paths2);
    const StartupReport r2 = second.start();
    ASSERT_TRUE(r2.ok());
    EXPECT_FALSE(r2.createdMain);
    EXPECT_EQ(second.main().scalar(QStringLiteral("select count(*) from 登陆")).toInt(), 1);
}

TEST(DataModule, CreateCommandMakesOnlyWhatIsMissing)
{
    QTemporaryDir dir;
    const AppPaths paths(dir.filePath(QStringLiteral("shop")));
    const CreateReport first = createDatabases(paths);
    ASSERT_TRUE(first.ok()) << first.error.toStdString();
    EXPECT_EQ(first.created.size(), 3);
    const CreateReport second = createDatabases(paths);
    ASSERT_TRUE(second.ok());
    EXPECT_TRUE(second.created.isEmpty());
}
