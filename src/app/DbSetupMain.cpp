// verdalo-dbsetup: the database settings tool of a workstation. Writes kf.ini (the password scrambled),
// creates the databases of a data folder, and checks that the configured database can be reached.

#include "core/AppPaths.h"
#include "data/ConnectionSettings.h"
#include "data/DataModule.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

using namespace verdalo;

namespace {

QTextStream &out()
{
    static QTextStream s(stdout);
    return s;
}

QTextStream &err()
{
    static QTextStream s(stderr);
    return s;
}

int config(const AppPaths &paths, const QCommandLineParser &p)
{
    ConnectionSettings s;
    QString error;
    if (!ConnectionSettings::read(paths.kfIni(), &s, &error)) {
        err() << QStringLiteral("无法读取 kf.ini：") << error << Qt::endl;
        return 2;
    }
    auto keep = [](const QString &v) { return v == QLatin1String("default") ? QString() : v; };
    s.server = keep(s.server);
    s.user = keep(s.user);
    s.database = keep(s.database);
    if (p.isSet(QStringLiteral("mode")))
        s.runMode = p.value(QStringLiteral("mode"));
    if (p.isSet(QStringLiteral("server")))
        s.server = p.value(QStringLiteral("server"));
    if (p.isSet(QStringLiteral("user")))
        s.user = p.value(QStringLiteral("user"));
    if (p.isSet(QStringLiteral("password")))
        s.password = p.value(QStringLiteral("password"));
    if (p.isSet(QStringLiteral("database")))
        s.database = p.value(QStringLiteral("database"));
    if (s.runMode != ConnectionSettings::kNetworkMode && s.runMode != ConnectionSettings::kStandaloneMode) {
        err() << QStringLiteral("运行模式只能是“网络版”或“单机版”。") << Qt::endl;
        return 2;
    }
    if (s.isNetwork() && (s.server.isEmpty() || s.user.isEmpty() || s.database.isEmpty())) {
        err() << QStringLiteral("网络版需要 --server、--user 和 --database。") << Qt::endl;
        return 2;
    }
    if (!paths.ensureExists(&error) || !ConnectionSettings::write(paths.kfIni(), s, &error)) {
        err() << QStringLiteral("无法写入 kf.ini：") << error << Qt::endl;
        return 2;
    }
    out() << QStringLiteral("已写入 ") << paths.kfIni() << Qt::endl;
    return 0;
}

int show(const AppPaths &paths)
{
    ConnectionSettings s;
    QString error;
    if (!ConnectionSettings::read(paths.kfIni(), &s, &error)) {
        err() << QStringLiteral("无法读取 kf.ini：") << error << Qt::endl;
        return 2;
    }
    out() << QStringLiteral("运行模式：") << s.runMode << Qt::endl;
    if (s.isNetwork()) {
        out() << QStringLiteral("服务器：") << s.server << Qt::endl
              << QStringLiteral("用户名：") << s.user << Qt::endl
              << QStringLiteral("数据库名：") << s.database << Qt::endl;
    } else {
        out() << QStringLiteral("数据库文件：") << paths.mainDb() << Qt::endl;
    }
    return 0;
}

int check(const AppPaths &paths)
{
    ConnectionSettings s;
    QString error;
    if (!ConnectionSettings::read(paths.kfIni(), &s, &error)) {
        err() << QStringLiteral("无法读取 kf.ini：") << error << Qt::endl;
        return 2;
    }
    try {
        auto db = s.isNetwork() ? Db::openPostgres(s.pgSettings())
                                : Db::openSqlite(paths.mainDb(), Db::OpenMode::ReadOnly);
        out() << QStringLiteral("连接成功：") << db->description() << Qt::endl;
        return 0;
    } catch (const DbError &e) {
        err() << (s.isNetwork() ? DataModule::kNetworkFailed : DataModule::kStandaloneFailed) << Qt::endl
              << e.message() << Qt::endl;
        return 1;
    }
}

int create(const AppPaths &paths)
{
    const CreateReport r = createDatabases(paths);
    if (!r.ok()) {
        err() << QStringLiteral("创建数据库失败：") << r.error << Qt::endl;
        return 1;
    }
    if (r.created.isEmpty())
        out() << QStringLiteral("数据库都已存在，未做改动。") << Qt::endl;
    for (const QString &c : r.created)
        out() << QStringLiteral("已创建 ") << c << Qt::endl;
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("verdalo-dbsetup"));

    QCommandLineParser p;
    p.setApplicationDescription(QStringLiteral("数据库设置：写入 kf.ini、创建数据库、检查连接。\n"
                                               "命令：config | show | check | create"));
    p.addHelpOption();
    p.addOption({ QStringLiteral("data"), QStringLiteral("数据文件夹"), QStringLiteral("DIR") });
    p.addOption({ QStringLiteral("mode"), QStringLiteral("运行模式：网络版 或 单机版"), QStringLiteral("MODE") });
    p.addOption({ QStringLiteral("server"), QStringLiteral("数据库服务器，主机或主机:端口"), QStringLiteral("HOST") });
    p.addOption({ QStringLiteral("user"), QStringLiteral("用户名"), QStringLiteral("USER") });
    p.addOption({ QStringLiteral("password"), QStringLiteral("密码"), QStringLiteral("PASSWORD") });
    p.addOption({ QStringLiteral("database"), QStringLiteral("数据库名"), QStringLiteral("NAME") });
    p.addPositionalArgument(QStringLiteral("command"), QStringLiteral("config | show | check | create"));
    p.process(app);

    const AppPaths paths(AppPaths::resolveDataDir(QCoreApplication::arguments()));
    const QStringList args = p.positionalArguments();
    const QString command = args.isEmpty() ? QStringLiteral("show") : args.first();
    if (command == QLatin1String("config"))
        return config(paths, p);
    if (command == QLatin1String("show"))
        return show(paths);
    if (command == QLatin1String("check"))
        return check(paths);
    if (command == QLatin1String("create"))
        return create(paths);
    err() << QStringLiteral("未知命令：") << command << Qt::endl;
    p.showHelp(2);
}
