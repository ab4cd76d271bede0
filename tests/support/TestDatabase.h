#pragma once

#include "core/Db.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace verdalo {
// How a back end appears in test names and failure messages.
inline void PrintTo(Backend b, std::ostream *os)
{
    *os << (b == Backend::Sqlite ? "Sqlite" : "Postgres");
}
} // namespace verdalo

namespace verdalo::test {

// Both back ends, for INSTANTIATE_TEST_SUITE_P. The server cases run when VERDALO_TEST_PG names a PostgreSQL
// server; without it they are skipped, unless VERDALO_TEST_PG_REQUIRED is set, when they fail.
std::vector<Backend> allBackends();
std::string backendName(const testing::TestParamInfo<Backend> &info);

// The connection settings from VERDALO_TEST_PG, or nullopt.
std::optional<PgSettings> serverSettings();

// A fresh, empty database of one back end for one test: a file in a temporary folder, or a new database on
// the test server that is dropped afterwards.
class TestDatabase
{
public:
    explicit TestDatabase(Backend backend);
    ~TestDatabase();

    // False (with GTEST_SKIP already issued by the caller's check) when the back end is not available.
    bool available() const { return m_db != nullptr; }
    Db &db() { return *m_db; }
    Backend backend() const { return m_backend; }
    // Settings that open this same server database again (server back end only).
    PgSettings settings() const { return m_settings; }
    QString folder() const { return m_dir.path(); }
    // Opens another connection to the same database (a second workstation).
    std::unique_ptr<Db> openAnother() const;

private:
    Backend m_backend;
    QTemporaryDir m_dir;
    PgSettings m_settings;
    QString m_path;
    std::unique_ptr<Db> m_db;
};

// Creates a server database and drops it at the end (for tests that open it by settings, as a workstation does).
class ServerDatabase
{
public:
    ServerDatabase();
    ~ServerDatabase();
    bool available() const { return m_ok; }
    PgSettings settings() const { return m_settings; }

private:
    PgSettings m_settings;
    bool m_ok = false;
};

} // namespace verdalo::test

// Skips (or fails, when the server is required) a test whose back end is not there.
#define VERDALO_REQUIRE_BACKEND(testDb)                                                                            \
    do {                                                                                                           \
        if (!(testDb).available()) {                                                                               \
            if (!qEnvironmentVariableIsEmpty("VERDALO_TEST_PG_REQUIRED"))                                          \
                FAIL() << "VERDALO_TEST_PG is required but the server database is not available";                  \
            GTEST_SKIP() << "no PostgreSQL server (set VERDALO_TEST_PG)";                                          \
        }                                                                                                          \
    } while (0)
