#pragma once

#include "core/DbError.h"
#include "core/Dialect.h"
#include "core/Rows.h"
#include "core/SqlParams.h"

#include <QSqlDatabase>
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <unordered_map>

namespace verdalo {

// Where the network edition's database server is.
struct PgSettings
{
    QString host = QStringLiteral("127.0.0.1");
    int port = 5432;
    QString user;
    QString password;
    QString database;

    // "host=127.0.0.1 port=5433 user=postgres dbname=x password=y" (libpq's key=value form).
    static PgSettings fromConnectionString(const QString &text);
    // "host" or "host:port", as kf.ini's 服务器 holds it.
    void setServer(const QString &server);
};

// One database connection. All statements of the program go through here: every value is bound, never
// spliced into the statement text. Errors are thrown as DbError carrying the database's own text.
class Db
{
public:
    enum class OpenMode {
        ReadWrite,       // the file must exist
        CreateIfMissing, // a missing file is created empty
        ReadOnly         // the file must exist; nothing is written
    };

    // `wal`: write-ahead logging, for files that several connections write at once.
    static std::unique_ptr<Db> openSqlite(const QString &path, OpenMode mode, bool wal = true);
    static std::unique_ptr<Db> openPostgres(const PgSettings &settings);

    ~Db();
    Db(const Db &) = delete;
    Db &operator=(const Db &) = delete;

    Backend backend() const { return m_dialect.backend(); }
    bool isPostgres() const { return m_dialect.isPostgres(); }
    const Dialect &dialect() const { return m_dialect; }
    // The file path or the server's database, for messages.
    QString description() const { return m_description; }

    // Runs a statement; returns the number of rows it changed (-1 when the driver does not know).
    int exec(const QString &sql, const Params &params = {});
    // Runs a statement exactly as written, placeholders and all (the patch statements of a release).
    int execRaw(const QString &sql);
    Rows rows(const QString &sql, const Params &params = {});
    std::optional<Row> first(const QString &sql, const Params &params = {});
    // First column of the first row; a null QVariant when there is no row.
    QVariant scalar(const QString &sql, const Params &params = {});
    // Calls `fn` for each row without keeping them all.
    void each(const QString &sql, const Params &params, const std::function<void(const Row &)> &fn);
    // The first column of every row as text (name lists for the windows' choices).
    QStringList column(const QString &sql, const Params &params = {});

    // The column names a statement returns, even when it returns no row.
    QStringList columnsOf(const QString &sql, const Params &params = {});
    bool tableExists(const QString &table);
    // Names of the tables of this database (the current schema on the server).
    QStringList tableNames();
    bool columnExists(const QString &table, const QString &column);

    // "select 1" on the connection; false when the server is gone.
    bool isAlive();
    // Closes and opens the connection again; false with the reason when that fails.
    bool reconnect(QString *error = nullptr);

    int transactionDepth() const { return m_txDepth; }

private:
    friend class Transaction;
    // A prepared statement kept for reuse; `busy` while a caller is reading its result.
    struct Cached;
    // The query a statement runs on: a cached prepared one, or one of its own. Finishes it when done.
    class Lease
    {
    public:
        Lease(Cached *cached, std::unique_ptr<class QSqlQuery> own);
        Lease(Lease &&) noexcept;
        ~Lease();
        class QSqlQuery &query();

    private:
        Cached *m_cached;
        std::unique_ptr<class QSqlQuery> m_own;
    };
    Db(QSqlDatabase db, Backend backend, QString description);
    // `buffered`: the whole result is fetched at once, so other statements may run while it is read.
    Lease run(const QString &sql, const Params &params, bool buffered = false);
    void dropCache();
    void configureSqlite(bool readOnly, bool wal);
    void beginTransaction();
    void commitTransaction();
    void rollbackTransaction() noexcept;

    QString m_name;
    QSqlDatabase m_db;
    Dialect m_dialect;
    QString m_description;
    int m_txDepth = 0;
    std::unordered_map<QString, std::unique_ptr<Cached>> m_cache;
};

// Runs the statements between its creation and commit() as one unit; anything not committed is rolled back
// when it goes out of scope. Nested transactions become savepoints of the outer one.
class Transaction
{
public:
    explicit Transaction(Db &db);
    ~Transaction();
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;
    void commit();

private:
    Db &m_db;
    bool m_done = false;
};

} // namespace verdalo
