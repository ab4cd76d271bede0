#include "core/Rows.h"

#include <cmath>

namespace verdalo {

qsizetype Row::indexOf(const QString &column) const
{
    if (!m_columns)
        return -1;
    for (qsizetype i = 0; i < m_columns->size(); ++i) {
        if (m_columns->at(i).compare(column, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

int Row::toInt(const QString &column) const
{
    return static_cast<int>(toLongLong(column));
}

qint64 Row::toLongLong(const QString &column) const
{
    const QVariant v = value(column);
    bool ok = false;
    const qint64 i = v.toLongLong(&ok);
    if (ok)
        return i;
    // Numeric values with decimals ("3.0000", 3.0) still read as whole numbers.
    return static_cast<qint64>(std::llround(v.toDouble()));
}

bool Row::toBool(const QString &column) const
{
    const QVariant v = value(column);
    if (v.typeId() == QMetaType::QString) {
        const QString s = v.toString().trimmed().toLower();
        return s == QLatin1String("1") || s == QLatin1String("true") || s == QLatin1String("t");
    }
    return v.toBool();
}

} // namespace verdalo
