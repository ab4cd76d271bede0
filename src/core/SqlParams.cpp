#include "core/SqlParams.h"

namespace verdalo {
namespace {
bool isNameStart(QChar c)
{
    return c.isLetter() || c == QLatin1Char('_');
}
bool isNameChar(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_');
}
} // namespace

Params &Params::set(const QString &name, const QVariant &value)
{
    for (auto &p : m_values) {
        if (p.first.compare(name, Qt::CaseInsensitive) == 0) {
            p.second = value;
            return *this;
        }
    }
    m_values.append({ name, value });
    return *this;
}

const QVariant *Params::find(const QString &name) const
{
    for (const auto &p : m_values) {
        if (p.first.compare(name, Qt::CaseInsensitive) == 0)
            return &p.second;
    }
    return nullptr;
}

PositionalSql toPositional(const QString &sql)
{
    PositionalSql out;
    out.sql.reserve(sql.size());
    const qsizetype n = sql.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar c = sql[i];
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            // Quoted text or identifier; a doubled quote stands for itself.
            const QChar q = c;
            out.sql += c;
            ++i;
            while (i < n) {
                out.sql += sql[i];
                if (sql[i] == q) {
                    if (i + 1 < n && sql[i + 1] == q) {
                        out.sql += sql[i + 1];
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                ++i;
            }
            continue;
        }
        if (c == QLatin1Char('-') && i + 1 < n && sql[i + 1] == QLatin1Char('-')) {
            const qsizetype end = sql.indexOf(QLatin1Char('\n'), i);
            const qsizetype stop = end < 0 ? n : end;
            out.sql += sql.mid(i, stop - i);
            i = stop;
            continue;
        }
        if (c == QLatin1Char('/') && i + 1 < n && sql[i + 1] == QLatin1Char('*')) {
            const qsizetype end = sql.indexOf(QLatin1String("*/"), i + 2);
            const qsizetype stop = end < 0 ? n : end + 2;
            out.sql += sql.mid(i, stop - i);
            i = stop;
            continue;
        }
        if (c == QLatin1Char(':')) {
            const bool afterColon = i > 0 && sql[i - 1] == QLatin1Char(':');
            const bool cast = i + 1 < n && sql[i + 1] == QLatin1Char(':');
            if (!afterColon && !cast && i + 1 < n && isNameStart(sql[i + 1])) {
                qsizetype j = i + 1;
                while (j < n && isNameChar(sql[j]))
                    ++j;
                out.names.append(sql.mid(i + 1, j - i - 1));
                out.sql += QLatin1Char('?');
                i = j;
                continue;
            }
        }
        out.sql += c;
        ++i;
    }
    return out;
}

} // namespace verdalo
