#include "data/ConnectionSettings.h"

#include "core/IniFile.h"
#include "core/TextHelpers.h"

namespace verdalo {
namespace {
const QString kKey = QStringLiteral("值");
const QString kRunMode = QStringLiteral("运行模式");
const QString kServer = QStringLiteral("服务器");
const QString kUser = QStringLiteral("用户名");
const QString kPassword = QStringLiteral("密码");
const QString kDatabase = QStringLiteral("数据库名");
} // namespace

PgSettings ConnectionSettings::pgSettings() const
{
    PgSettings s;
    s.setServer(server);
    s.user = user;
    s.password = password;
    s.database = database;
    return s;
}

bool ConnectionSettings::read(const QString &path, ConnectionSettings *out, QString *error)
{
    IniFile ini(path);
    if (!ini.load()) {
        if (error)
            *error = ini.errorString();
        return false;
    }
    ConnectionSettings s;
    s.runMode = ini.value(kRunMode, kKey);
    if (s.runMode.isEmpty())
        s.runMode = kStandaloneMode;
    s.server = ini.value(kServer, kKey);
    s.user = ini.value(kUser, kKey);
    s.password = UnscrambleText(ini.value(kPassword, kKey));
    s.database = ini.value(kDatabase, kKey);
    *out = s;
    return true;
}

bool ConnectionSettings::write(const QString &path, const ConnectionSettings &s, QString *error)
{
    IniFile ini(path);
    if (!ini.load()) {
        if (error)
            *error = ini.errorString();
        return false;
    }
    ini.setValue(kRunMode, kKey, s.runMode);
    ini.setValue(kServer, kKey, s.server);
    ini.setValue(kUser, kKey, s.user);
    ini.setValue(kPassword, kKey, ScrambleText(s.password));
    ini.setValue(kDatabase, kKey, s.database);
    if (!ini.save()) {
        if (error)
            *error = ini.errorString();
        return false;
    }
    return true;
}

} // namespace verdalo
