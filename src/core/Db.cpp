#include "core/Db.h"

#include "core/BusinessDate.h"

#include <QAtomicInteger>
#include <QDate>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTime>

namespace verdalo {
namespace {

QString nextConnectionName()
{
    static QAtomicInteger<int> counter = 0;
    return QStringLiteral("verdalo_db_%1").arg(counter.fetchAndAddRelaxed(1) + 1);
}

QString errorText(const QSqlError &e)
{
    const QString db = e.databaseText().trimmed();
    if (!db.isEmpty())
        return db;
    const QString text = e.text().trimmed();
    return text.isEmpty() ? QStringLiteral("数据库操作失败") : text;
}

// Parsing a statement's placeholders once is enough; the program runs the same few hundred statements.
const PositionalSql &positional(const QString &sql)
{
    static thread_local QHash<QString, PositionalSql> cache;
    auto it = cache.constFind(sql);
    if (it != cache.constEnd())
        return *it;
    if (cache.size() > 4096)
        cache.clear();
    return *cache.insert(sql, toPositional(sql));
}

QVariant normalised(const QVariant &v)
{
    switch (v.typeId()) {
    case QMetaType::QDate:
        return v.isNull() ? QVariant() : QVariant(dateText(v.toDate()));
    case QMetaType::QDateTime:
        return v.isNull() ? QVariant() : QVariant(dateTimeText(v.toDateTime()));
    case QMetaType::QTime:
        return v.isNull() ? QVariant() : QVariant(timeText(v.toTime()));
    default:
        return v;
    }
}

Row makeRow(const std::shared_ptr<const QStringList> &columns, const QSqlQuery &q)
{
    QVariantList values;
    values.reserve(columns->size());
    for (qsizetype i = 0; i < columns->size(); ++i)
        values.append(normalised(q.value(static_cast<int>(i))));
    return Row(columns, std::move(values));
}

std::shared_ptr<const QStringList> recordColumns(const QSqlQuery &q)
{
    const QSqlRecord rec = q.record();
    QStringList names;
    names.reserve(rec.count());
    for (int i = 0; i < rec.count(); ++i)
        names.append(rec.fieldName(i));
    return std::make_shared<const QStringList>(std::move(names));
}

} // namespace

PgSettings PgSettings::fromConnectionString(const QString &text)
{
    PgSettings s;
    const QStringList parts = text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (const QString &part : parts) {
        const qsizetype eq = part.indexOf(QLatin1Char('='));
        if (eq <= 0)
            continue;
        const QString key = part.left(eq).trimmed();
        const QString value = part.mid(eq + 1).trimmed();
        if (key == QLatin1String("host") || key == QLatin1String("hostaddr"))
            s.host = value;
        else if (key == QLatin1String("port"))
            s.port = value.toInt();
        else if (key == QLatin1String("user"))
            s.user = value;
        else if (key == QLatin1String("password"))
            s.password = value;
        else if (key == QLatin1String("dbname"))
            s.database = value;
    }
    return s;
}

void PgSettings::setServer(const QString &server)
{
    const QString t = server.trimmed();
    const qsizetype colon = t.lastIndexOf(QLatin1Char(':'));
    bool ok = false;
    const int p = colon > 0 ? t.mid(colon + 1).toInt(&ok) : 0;
    if (colon > 0 && ok && p > 0) {
        host = t.left(colon);
        port = p;
    } else {
        host = t;
        port = 5432;
    }
}

Db::Db(QSqlDatabase db, Backend backend, QString description)
    : m_name(db.connectionName())
    , m_db(std::move(db))
    , m_dialect(backend)
    , m_description(std::move(description))
{
}

Db::~Db()
{
    if (m_txDepth > 0)
        rollbackTransaction();
    dropCache();
    m_db.close();
    m_db = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_name);
}

std::unique_ptr<Db> Db::openSqlite(const QString &path, OpenMode mode, bool wal)
{
    if (mode != OpenMode::CreateIfMissing && !QFileInfo::exists(path))
        throw DbError(QStringLiteral("找不到数据库文件 %1").arg(path));
    if (QFileInfo(path).isDir())
        throw DbError(QStringLiteral("%1 是一个文件夹，不是数据库文件").arg(path));
    const QString name = nextConnectionName();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        QString options = QStringLiteral("QSQLITE_BUSY_TIMEOUT=10000");
        if (mode == OpenMode::ReadOnly)
            options += QStringLiteral(";QSQLITE_OPEN_READONLY");
        db.setConnectOptions(options);
        if (!db.open()) {
            const QString text = errorText(db.lastError());
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(name);
            throw DbError(QStringLiteral("%1：%2").arg(path, text));
        }
    }
    std::unique_ptr<Db> result(new Db(QSqlDatabase::database(name, false), Backend::Sqlite, path));
    result->configureSqlite(mode == OpenMode::ReadOnly, wal);
    return result;
}

void Db::configureSqlite(bool readOnly, bool wal)
{
    // A file that is not a database opens without complaint; the first read tells.
    try {
        scalar(QStringLiteral("select count(*) from sqlite_master"));
    } catch (const DbError &e) {
        throw DbError(QStringLiteral("%1：%2").arg(m_description, e.message()));
    }
    if (readOnly)
        return;
    if (wal)
        exec(QStringLiteral("pragma journal_mode=wal"));
    exec(QStringLiteral("pragma synchronous=normal"));
    exec(QStringLiteral("pragma foreign_keys=off"));
}

std::unique_ptr<Db> Db::openPostgres(const PgSettings &s)
{
    const QString name = nextConnectionName();
    const QString description = QStringLiteral("%1@%2:%3/%4").arg(s.user, s.host).arg(s.port).arg(s.database);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
        db.setHostName(s.host);
        db.setPort(s.port);
        db.setUserName(s.user);
        db.setPassword(s.password);
        db.setDatabaseName(s.database);
        db.setConnectOptions(QStringLiteral("connect_timeout=5"));
        if (!db.open()) {
            const QString text = errorText(db.lastError());
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(name);
            throw DbError(text);
        }
    }
    std::unique_ptr<Db> result(new Db(QSqlDatabase::database(name, false), Backend::Postgres, description));
    result->exec(QStringLiteral("set client_min_messages to warning"));
    return result;
}

struct Db::Cached
{
    QSqlQuery query;
    bool busy = false;
    bool stale = false; // to be prepared again before its next use
};

Db::Lease::Lease(Cached *cached, std::unique_ptr<QSqlQuery> own)
    : m_cached(cached)
    , m_own(std::move(own))
{
}

Db::Lease::Lease(Lease &&other) noexcept
    : m_cached(std::exchange(other.m_cached, nullptr))
    , m_own(std::move(other.m_own))
{
}

Db::Lease::~Lease()
{
    if (m_cached) {
        m_cached->query.finish();
        m_cached->busy = false;
    } else if (m_own) {
        m_own->finish();
    }
}

QSqlQuery &Db::Lease::query()
{
    return m_cached ? m_cached->query : *m_own;
}

void Db::dropCache()
{
    // A statement whose result is being read stays until its reader is done.
    for (auto it = m_cache.begin(); it != m_cache.end();) {
        if (it->second->busy) {
            it->second->stale = true;
            ++it;
        } else {
            it = m_cache.erase(it);
        }
    }
}

Db::Lease Db::run(const QString &sql, const Params &params, bool buffered)
{
    const PositionalSql &p = positional(sql);
    if (p.names.isEmpty()) {
        auto q = std::make_unique<QSqlQuery>(m_db);
        q->setForwardOnly(!buffered);
        if (!q->exec(sql))
            throw DbError(errorText(q->lastError()), sql);
        // A change of the schema: kept statements are prepared again.
        static const QRegularExpression ddl(QStringLiteral("^\\s*(alter|create|drop|truncate)\\b"),
                                            QRegularExpression::CaseInsensitiveOption);
        if (ddl.match(sql).hasMatch())
            dropCache();
        return Lease(nullptr, std::move(q));
    }
    QVariantList values;
    values.reserve(p.names.size());
    for (const QString &name : p.names) {
        const QVariant *v = params.find(name);
        if (!v)
            throw DbError(QStringLiteral("语句缺少参数 :%1").arg(name), sql);
        values.append(*v);
    }
    const auto prepared = [this, &p, &sql, buffered](QSqlQuery &q) {
        q.setForwardOnly(!buffered);
        if (!q.prepare(p.sql))
            throw DbError(errorText(q.lastError()), sql);
    };
    const auto execute = [&values, buffered](QSqlQuery &q) {
        q.setForwardOnly(!buffered);
        for (qsizetype i = 0; i < values.size(); ++i)
            q.bindValue(static_cast<int>(i), values[i]);
        return q.exec();
    };
    // The statements of the program repeat: on the server keep them prepared (a prepare costs a round trip
    // there; the file database prepares in microseconds, and its driver cannot follow a kept statement through a
    // change of the table). A statement already being read (a nested call of the same text) gets its own query.
    auto it = m_cache.find(sql);
    if (it != m_cache.end() && it->second->stale && !it->second->busy) {
        m_cache.erase(it);
        it = m_cache.end();
    }
    if (it == m_cache.end() && m_cache.size() < 256 && isPostgres()) {
        auto cached = std::make_unique<Cached>();
        cached->query = QSqlQuery(m_db);
        prepared(cached->query);
        it = m_cache.emplace(sql, std::move(cached)).first;
    }
    if (it != m_cache.end() && !it->second->busy && !it->second->stale) {
        Cached *c = it->second.get();
        c->busy = true;
        Lease lease(c, nullptr);
        if (execute(c->query))
            return lease;
        const QString text = errorText(c->query.lastError());
        // The table behind a kept statement changed (another workstation altered it): the kept statement goes
        // and this run prepares its own.
        c->stale = true;
        if (!text.contains(QLatin1String("cached plan")))
            throw DbError(text, sql);
    }
    auto q = std::make_unique<QSqlQuery>(m_db);
    prepared(*q);
    if (!execute(*q))
        throw DbError(errorText(q->lastError()), sql);
    return Lease(nullptr, std::move(q));
}

int Db::exec(const QString &sql, const Params &params)
{
    Lease lease = run(sql, params);
    return lease.query().numRowsAffected();
}

int Db::execRaw(const QString &sql)
{
    dropCache();
    QSqlQuery q(m_db);
    q.setForwardOnly(true);
    if (!q.exec(sql))
        throw DbError(errorText(q.lastError()), sql);
    return q.numRowsAffected();
}

Rows Db::rows(const QString &sql, const Params &params)
{
    Lease lease = run(sql, params);
    QSqlQuery &q = lease.query();
    Rows out;
    if (!q.isSelect())
        return out;
    const auto columns = recordColumns(q);
    while (q.next())
        out.push_back(makeRow(columns, q));
    return out;
}

void Db::each(const QString &sql, const Params &params, const std::function<void(const Row &)> &fn)
{
    // Buffered: the callback may run statements of its own on this connection.
    Lease lease = run(sql, params, isPostgres());
    QSqlQuery &q = lease.query();
    if (!q.isSelect())
        return;
    const auto columns = recordColumns(q);
    while (q.next())
        fn(makeRow(columns, q));
}

std::optional<Row> Db::first(const QString &sql, const Params &params)
{
    Lease lease = run(sql, params);
    QSqlQuery &q = lease.query();
    if (!q.isSelect() || !q.next())
        return std::nullopt;
    return makeRow(recordColumns(q), q);
}

QVariant Db::scalar(const QString &sql, const Params &params)
{
    Lease lease = run(sql, params);
    QSqlQuery &q = lease.query();
    if (!q.isSelect() || !q.next())
        return {};
    return normalised(q.value(0));
}

QStringList Db::columnsOf(const QString &sql, const Params &params)
{
    Lease lease = run(sql, params);
    return *recordColumns(lease.query());
}

bool Db::tableExists(const QString &table)
{
    const QString sql = isPostgres()
        ? QStringLiteral("select count(*) from information_schema.tables "
                         "where table_schema = current_schema() and table_name = :表名")
        : QStringLiteral("select count(*) from sqlite_master where type = 'table' and name = :表名");
    return scalar(sql, { { QStringLiteral("表名"), table } }).toLongLong() > 0;
}

QStringList Db::column(const QString &sql, const Params &params)
{
    QStringList out;
    each(sql, params, [&out](const Row &r) { out.append(r.value(0).toString()); });
    return out;
}

QStringList Db::tableNames()
{
    return column(isPostgres()
                      ? QStringLiteral("select table_name from information_schema.tables where table_schema = current_schema()")
                      : QStringLiteral("select name from sqlite_master where type = 'table'"));
}

bool Db::columnExists(const QString &table, const QString &column)
{
    const QString sql = isPostgres()
        ? QStringLiteral("select count(*) from information_schema.columns "
                         "where table_schema = current_schema() and table_name = :表名 and column_name = :字段名")
        : QStringLiteral("select count(*) from pragma_table_info(:表名) where name = :字段名");
    return scalar(sql, { { QStringLiteral("表名"), table }, { QStringLiteral("字段名"), column } }).toLongLong() > 0;
}

bool Db::isAlive()
{
    try {
        return scalar(QStringLiteral("select 1")).toInt() == 1;
    } catch (const DbError &) {
        return false;
    }
}

bool Db::reconnect(QString *error)
{
    m_txDepth = 0;
    dropCache();
    m_db.close();
    if (!m_db.open()) {
        if (error)
            *error = errorText(m_db.lastError());
        return false;
    }
    try {
        if (isPostgres())
            exec(QStringLiteral("set client_min_messages to warning"));
        else
            configureSqlite(m_db.connectOptions().contains(QLatin1String("QSQLITE_OPEN_READONLY")), false);
    } catch (const DbError &e) {
        if (error)
            *error = e.message();
        return false;
    }
    return true;
}

void Db::beginTransaction()
{
    if (m_txDepth == 0)
        exec(m_dialect.beginStatement());
    else
        exec(QStringLiteral("savepoint verdalo_sp%1").arg(m_txDepth));
    ++m_txDepth;
}

void Db::commitTransaction()
{
    if (m_txDepth <= 0)
        return;
    if (m_txDepth == 1)
        exec(QStringLiteral("commit"));
    else
        exec(QStringLiteral("release savepoint verdalo_sp%1").arg(m_txDepth - 1));
    --m_txDepth;
}

void Db::rollbackTransaction() noexcept
{
    if (m_txDepth <= 0)
        return;
    --m_txDepth;
    QSqlQuery q(m_db);
    if (m_txDepth == 0) {
        q.exec(QStringLiteral("rollback"));
    } else {
        q.exec(QStringLiteral("rollback to savepoint verdalo_sp%1").arg(m_txDepth));
        q.exec(QStringLiteral("release savepoint verdalo_sp%1").arg(m_txDepth));
    }
}

Transaction::Transaction(Db &db)
    : m_db(db)
{
    m_db.beginTransaction();
}

Transaction::~Transaction()
{
    if (!m_done)
        m_db.rollbackTransaction();
}

void Transaction::commit()
{
    if (m_done)
        return;
    try {
        m_db.commitTransaction();
    } catch (...) {
        // A failed commit leaves the transaction open on the server: undo it so the connection stays usable.
        m_db.rollbackTransaction();
        m_done = true;
        throw;
    }
    m_done = true;
}

} // namespace verdalo
