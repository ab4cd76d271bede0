#pragma once

#include "core/Db.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace verdalo {

// Which database a table lives in: the shared main database, the workstation's own local database, or the
// patch database that carries the schema statements of each release.
enum class DbRole { Main, Local, Patch };

struct ColumnDef
{
    QString name;
    ColumnKind kind;
    int width = 0;
};

struct TableDef
{
    QString name;
    DbRole role;
    std::vector<ColumnDef> columns;
};

struct IndexDef
{
    QString table;
    QStringList columns;
    bool unique = false;
};

namespace schema {

// Version a newly created main database starts at.
inline const QString kBaseVersion = QStringLiteral("1");
// The administrator a new main database is delivered with; the login window's hint names the password.
inline const QString kAdminName = QStringLiteral("admin");
inline const QString kAdminPassword = QStringLiteral("admin");
inline const QString kAdminRole = QStringLiteral("管理员");
inline const QString kHeadOffice = QStringLiteral("总部");
// Rights string that grants everything (39 positions).
inline const QString kAllRights = QString(39, QLatin1Char('1'));

const std::vector<TableDef> &tables();
const std::vector<IndexDef> &indexes();
const TableDef *table(const QString &name);

// The CREATE TABLE statement of one table for the connection's back end.
QString createTableSql(const TableDef &t, const Dialect &d);

// True when the database already carries this role's tables (its key table exists).
bool isCreated(Db &db, DbRole role);
// Tables of the role that the database lacks.
QStringList missingTables(Db &db, DbRole role);

// Creates the role's missing tables and indexes and the rows a new database needs (single settings rows,
// time slots, the administrator, the version). Existing tables and rows are left alone. One transaction.
void create(Db &db, DbRole role);

} // namespace schema
} // namespace verdalo
