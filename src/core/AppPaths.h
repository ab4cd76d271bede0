#pragma once

#include <QString>
#include <QStringList>

namespace verdalo {

// The data folder holds what sat beside the program on the shop's PC: kf.ini, cysz.ini, the three database
// files, receipt templates, the logo and the recordings.
class AppPaths
{
public:
    // --data DIR on the command line, else VERDALO_HOME, else the XDG data location (~/.local/share/verdalo).
    static QString resolveDataDir(const QStringList &arguments);

    explicit AppPaths(QString dataDir);

    // Creates the folder if needed; false with a reason when it cannot be created.
    bool ensureExists(QString *error) const;

    QString dataDir() const { return m_dir; }
    QString file(const QString &name) const;
    QString kfIni() const { return file(QStringLiteral("kf.ini")); }
    QString cyszIni() const { return file(QStringLiteral("cysz.ini")); }
    QString mainDb() const { return file(QStringLiteral("data.db")); }
    QString localDb() const { return file(QStringLiteral("db1.db")); }
    QString patchDb() const { return file(QStringLiteral("buding.db")); }

private:
    QString m_dir;
};

} // namespace verdalo
