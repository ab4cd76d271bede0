#pragma once

#include <QString>

namespace verdalo {

enum class Backend { Sqlite, Postgres };

// Kinds of columns of the data model; each back end maps them to its own types.
enum class ColumnKind {
    AutoId,    // filled by the database on insert
    Integer,
    Money,     // four decimals
    Number,    // may have decimals
    Boolean,
    Text,      // width 0: unbounded
    Memo,
    Date,      // "yyyy-mm-dd"
    TimeText,  // "hh:mm:ss"
    DateTimeText // "yyyy-mm-dd hh:mm:ss"
};

// Everything that differs between the embedded file and the database server, in one place.
class Dialect
{
public:
    explicit Dialect(Backend b)
        : m_backend(b)
    {
    }
    Backend backend() const { return m_backend; }
    bool isPostgres() const { return m_backend == Backend::Postgres; }

    // The value of 命令表.数据库 for statements written for this back end.
    QString patchKey() const;
    // Column type for a CREATE TABLE; AutoId includes the primary key clause.
    QString columnType(ColumnKind kind, int width = 0) const;
    // Statement that starts a write transaction.
    QString beginStatement() const;

private:
    Backend m_backend;
};

} // namespace verdalo
