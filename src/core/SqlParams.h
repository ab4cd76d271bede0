#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <initializer_list>

namespace verdalo {

// Named parameters for a statement: {{"单据编号", no}, {"rq", date}}. Names may be Chinese; the database layer
// binds them by position because the drivers accept only ASCII names.
class Params
{
public:
    Params() = default;
    Params(std::initializer_list<QPair<QString, QVariant>> values)
        : m_values(values)
    {
    }
    Params &set(const QString &name, const QVariant &value);
    const QVariant *find(const QString &name) const;
    bool isEmpty() const { return m_values.isEmpty(); }
    const QList<QPair<QString, QVariant>> &values() const { return m_values; }

private:
    QList<QPair<QString, QVariant>> m_values;
};

// A statement with its ":name" placeholders replaced by "?" and the names in the order they stand. Text inside
// quotes, quoted identifiers, comments and "::" casts are left alone.
struct PositionalSql
{
    QString sql;
    QStringList names;
};

PositionalSql toPositional(const QString &sql);

} // namespace verdalo
