#include "data/DataModule.h"

#include "data/Schema.h"

#include <QFileInfo>

namespace verdalo {
namespace {

// Opens a database of the given role, creating its tables when they are missing. `created` tells whether the
// tables had to be made.
std::unique_ptr<Db> openWithSchema(const QString &path, DbRole role, bool *created)
{
    auto db = Db::openSqlite(path, Db::OpenMode::CreateIfMissing, role != DbRole::Patch);
    *created = !schema::missingTables(*db, role).isEmpty();
    if (*created)
        schema::create(*db, role);
    return db;
}

} // namespace

DataModule::DataModule(AppPaths paths)
    : m_paths(std::move(paths))
{
}

DataModule::~DataModule() = default;

StartupReport DataModule::start()
{
    StartupReport r;
    QString folderError;
    if (!m_paths.ensureExists(&folderError)) {
        r.outcome = StartupReport::Outcome::LocalFailed;
        r.message = folderError;
        return r;
    }

    // The workstation's own database first; without it nothing can work.
    const bool firstRun = !QFileInfo::exists(m_paths.localDb());
    try {
        m_local = openWithSchema(m_paths.localDb(), DbRole::Local, &r.createdLocal);
    } catch (const DbError &e) {
        m_local.reset();
        r.outcome = StartupReport::Outcome::LocalFailed;
        r.message = e.message();
        return r;
    }
    if (firstRun && !QFileInfo::exists(m_paths.patchDb())) {
        try {
            openWithSchema(m_paths.patchDb(), DbRole::Patch, &r.createdPatch);
        } catch (const DbError &e) {
            r.notices.append(e.message());
        }
    }

    QString iniError;
    if (!ConnectionSettings::read(m_paths.kfIni(), &m_settings, &iniError)) {
        r.outcome = StartupReport::Outcome::SettingsFailed;
        r.message = QStringLiteral("无法读取数据库设置文件 kf.ini！！");
        r.detail = iniError;
        return r;
    }

    try {
        if (m_settings.isNetwork()) {
            m_main = Db::openPostgres(m_settings.pgSettings());
            r.createdMain = !schema::missingTables(*m_main, DbRole::Main).isEmpty();
            if (r.createdMain)
                schema::create(*m_main, DbRole::Main);
        } else {
            m_main = openWithSchema(m_paths.mainDb(), DbRole::Main, &r.createdMain);
        }
    } catch (const DbError &e) {
        m_main.reset();
        r.outcome = StartupReport::Outcome::MainFailed;
        r.message = m_settings.isNetwork() ? kNetworkFailed : kStandaloneFailed;
        r.detail = e.message();
        return r;
    }

    r.upgrade = upgrade();
    if (!r.upgrade.ok)
        r.notices.append(r.upgrade.error);
    return r;
}

Db &DataModule::patch()
{
    if (!m_patch)
        m_patch = Db::openSqlite(m_paths.patchDb(), Db::OpenMode::ReadOnly);
    return *m_patch;
}

UpgradeResult DataModule::upgrade()
{
    try {
        return upgradeSchema(*m_main, patch());
    } catch (const DbError &e) {
        UpgradeResult r;
        r.ok = false;
        r.error = e.message();
        return r;
    }
}

CreateReport createDatabases(const AppPaths &paths)
{
    CreateReport r;
    QString error;
    if (!paths.ensureExists(&error)) {
        r.error = error;
        return r;
    }
    ConnectionSettings settings;
    if (!ConnectionSettings::read(paths.kfIni(), &settings, &error)) {
        r.error = error;
        return r;
    }
    try {
        bool created = false;
        openWithSchema(paths.localDb(), DbRole::Local, &created);
        if (created)
            r.created.append(paths.localDb());
        openWithSchema(paths.patchDb(), DbRole::Patch, &created);
        if (created)
            r.created.append(paths.patchDb());
        if (settings.isNetwork()) {
            auto main = Db::openPostgres(settings.pgSettings());
            if (!schema::missingTables(*main, DbRole::Main).isEmpty()) {
                schema::create(*main, DbRole::Main);
                r.created.append(main->description());
            }
        } else {
            openWithSchema(paths.mainDb(), DbRole::Main, &created);
            if (created)
                r.created.append(paths.mainDb());
        }
    } catch (const DbError &e) {
        r.error = e.message();
    }
    return r;
}

} // namespace verdalo
