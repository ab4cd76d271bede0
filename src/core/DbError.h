#pragma once

#include <QString>

#include <stdexcept>

namespace verdalo {

// A failed statement or connection. message() is the database's own text, which the windows show as it is.
class DbError : public std::runtime_error
{
public:
    explicit DbError(const QString &message, QString sql = {})
        : std::runtime_error(message.toStdString())
        , m_message(message)
        , m_sql(std::move(sql))
    {
    }
    QString message() const { return m_message; }
    QString sql() const { return m_sql; }

private:
    QString m_message;
    QString m_sql;
};

} // namespace verdalo
