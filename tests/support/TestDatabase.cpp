#include "support/TestDatabase.h"

#include <QCoreApplication>

#include <atomic>

namespace verdalo::test {
namespace {

QString uniqueDatabaseName()
{
    static std::atomic<int> counter { 0 };
    return QStringLiteral("vt_%1_%2").arg(QCoreApplication::applicationPid()).arg(++counter);
}

bool createServerDatabase(PgSettings *settings)
{
    const auto base = serverSettings();
    if (!base)
        return false;
    try {
        auto admin = Db::openPostgres(*base);
        const QString name = uniqueDatabaseName();
        admin->exec(QStringLiteral("create database %1 template template0 encoding 'UTF8'").arg(name));
        *settings = *base;
        settings->database = name;
        return true;
    } catch (const DbError &e) {
        ADD_FAILURE() << "cannot create a test database: " << e.what();
        return false;
    }
}

void dropServerDatabase(const PgSettings &settings)
{
    const auto base = serverSettings();
    if (!base)
        return;
    try {
        auto admin = Db::openPostgres(*base);
        admin->exec(QStringLiteral("drop database if exists %1 with (force)").arg(settings.database));
    } catch (const DbError &) {
    }
}

} // namespace

std::vector<Backend> allBackends()
{
    return { Backend::Sqlite, Backend::Postgres };
}

std::string backendName(const testing::TestParamInfo<Backend> &info)
{
    return info.param == Backend::Sqlite ? "Sqlite" : "Postgres";
}

std::optional<PgSettings> serverSettings()
{
    const QString conn = qEnvironmentVariable("VERDALO_TEST_PG");
    if (conn.isEmpty())
        return std::nullopt;
    return PgSettings::fromConnectionString(conn);
}

TestDatabase::TestDatabase(Backend backend)
    : m_backend(backend)
{
    if (backend == Backend::Sqlite) {
        m_path = m_dir.filePath(QStringLiteral("test.db"));
        m_db = Db::openSqlite(m_path, Db::OpenMode::CreateIfMissing);
        return;
    }
    if (createServerDatabase(&m_settings))
        m_db = Db::openPostgres(m_settings);
}

TestDatabase::~TestDatabase()
{
    m_db.reset();
    if (m_backend == Backend::Postgres && !m_settings.database.isEmpty())
        dropServerDatabase(m_settings);
}

std::unique_ptr<Db> TestDatabase::openAnother() const
{
    if (m_backend == Backend::Sqlite)
        return Db::openSqlite(m_path, Db::OpenMode::ReadWrite);
    return Db::openPostgres(m_settings);
}

ServerDatabase::ServerDatabase()
{
    m_ok = createServerDatabase(&m_settings);
}

ServerDatabase::~ServerDatabase()
{
    if (m_ok)
        dropServerDatabase(m_settings);
}

} // namespace verdalo::test
