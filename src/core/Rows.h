#pragma once

#include "core/Money.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>

#include <memory>
#include <vector>

namespace verdalo {

// One result row. Values read the same on both back ends: dates come as "yyyy-mm-dd" text, date-times as
// "yyyy-mm-dd hh:mm:ss", booleans through toBool().
class Row
{
public:
    Row() = default;
    Row(std::shared_ptr<const QStringList> columns, QVariantList values)
        : m_columns(std::move(columns))
        , m_values(std::move(values))
    {
    }

    qsizetype size() const { return m_values.size(); }
    qsizetype indexOf(const QString &column) const;
    bool has(const QString &column) const { return indexOf(column) >= 0; }
    QStringList columns() const { return m_columns ? *m_columns : QStringList(); }

    QVariant value(qsizetype i) const { return i >= 0 && i < m_values.size() ? m_values[i] : QVariant(); }
    QVariant value(const QString &column) const { return value(indexOf(column)); }
    bool isNull(const QString &column) const { return value(column).isNull(); }
    // Null reads as "", 0, false.
    QString text(const QString &column) const { return value(column).toString(); }
    int toInt(const QString &column) const;
    qint64 toLongLong(const QString &column) const;
    double toDouble(const QString &column) const { return value(column).toDouble(); }
    bool toBool(const QString &column) const;
    Money money(const QString &column) const { return Money::fromVariant(value(column)); }

private:
    std::shared_ptr<const QStringList> m_columns;
    QVariantList m_values;
};

using Rows = std::vector<Row>;

} // namespace verdalo
