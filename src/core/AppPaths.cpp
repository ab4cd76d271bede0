#include "core/AppPaths.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace verdalo {

QString AppPaths::resolveDataDir(const QStringList &arguments)
{
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString &a = arguments[i];
        if (a == QLatin1String("--data") && i + 1 < arguments.size())
            return QDir(arguments[i + 1]).absolutePath();
        if (a.startsWith(QLatin1String("--data=")))
            return QDir(a.mid(7)).absolutePath();
    }
    const QString env = qEnvironmentVariable("VERDALO_HOME");
    if (!env.isEmpty())
        return QDir(env).absolutePath();
    const QString xdg = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return QDir(xdg.isEmpty() ? QDir::homePath() + QStringLiteral("/.local/share") : xdg)
        .absoluteFilePath(QStringLiteral("verdalo"));
}

AppPaths::AppPaths(QString dataDir)
    : m_dir(QDir::cleanPath(std::move(dataDir)))
{
}

bool AppPaths::ensureExists(QString *error) const
{
    QFileInfo info(m_dir);
    if (info.isDir())
        return true;
    if (info.exists()) {
        if (error)
            *error = QStringLiteral("数据文件夹 %1 不是一个文件夹").arg(m_dir);
        return false;
    }
    if (!QDir().mkpath(m_dir)) {
        if (error)
            *error = QStringLiteral("无法创建数据文件夹 %1").arg(m_dir);
        return false;
    }
    return true;
}

QString AppPaths::file(const QString &name) const
{
    return m_dir + QLatin1Char('/') + name;
}

} // namespace verdalo
