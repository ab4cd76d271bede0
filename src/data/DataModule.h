#pragma once

#include "core/AppPaths.h"
#include "core/Db.h"
#include "data/ConnectionSettings.h"
#include "data/SchemaUpgrade.h"

#include <QStringList>

#include <memory>

namespace verdalo {

// What start-up found. The window layer shows `message` (and `detail`) for a failure, and each notice,
// then either ends the program or goes on to the login.
struct StartupReport
{
    enum class Outcome {
        Ready,
        LocalFailed,    // the workstation's own database cannot be opened: the program does not start
        SettingsFailed, // kf.ini exists but cannot be read
        MainFailed      // the main database cannot be opened
    };
    Outcome outcome = Outcome::Ready;
    QString message;
    QString detail;      // the database's or the system's own text
    QStringList notices; // shown, and start-up goes on (a patch database that cannot be read)
    bool createdMain = false;
    bool createdLocal = false;
    bool createdPatch = false;
    UpgradeResult upgrade;

    bool ok() const { return outcome == Outcome::Ready; }
};

// Owns the three databases of a workstation: the main one (file or server), the local one and the patch one.
class DataModule
{
public:
    static inline const QString kStandaloneFailed = QStringLiteral("连接失败！！");
    static inline const QString kNetworkFailed = QStringLiteral("连接失败，请您先进行数据库设置！！");

    explicit DataModule(AppPaths paths);
    ~DataModule();

    // Opens the local database, reads kf.ini, opens the main database and brings its schema up to date.
    // Databases that do not exist yet are created: the local and patch files on a workstation's first run, the
    // main file (stand-alone) or the main schema on an empty server database (network edition).
    StartupReport start();

    const AppPaths &paths() const { return m_paths; }
    const ConnectionSettings &connection() const { return m_settings; }
    // The session's run mode ("网络版", or anything else for the stand-alone edition) and database name.
    QString runMode() const { return m_settings.runMode; }
    QString databaseName() const { return m_settings.database; }
    bool isNetwork() const { return m_settings.isNetwork(); }

    Db &main() { return *m_main; }
    Db &local() { return *m_local; }
    bool hasMain() const { return m_main != nullptr; }

    // Opens the patch database on first use (read only); throws DbError when it cannot.
    Db &patch();
    UpgradeResult upgrade();

private:
    AppPaths m_paths;
    ConnectionSettings m_settings;
    std::unique_ptr<Db> m_main;
    std::unique_ptr<Db> m_local;
    std::unique_ptr<Db> m_patch;
};

// Creates whatever of a data folder's databases does not exist yet, with the settings of its kf.ini; what
// exists is left alone. Used by the settings command; start-up does the same for a first run.
struct CreateReport
{
    QStringList created;
    QString error;
    bool ok() const { return error.isEmpty(); }
};
CreateReport createDatabases(const AppPaths &paths);

} // namespace verdalo
