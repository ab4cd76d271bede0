#pragma once

#include "admin/Rights.h"
#include "core/Db.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace verdalo {

struct OperatorRow
{
    qlonglong id = 0;
    QString name;
    QString department;
    QString role;
    std::array<QString, 9> rights;
};

// Operators of 登陆, their rights strings and passwords. Passwords are stored as hashes; a row that still holds
// a clear-text password (an older database) is accepted once and rewritten.
class OperatorService
{
public:
    static inline const QString kAdminName = QStringLiteral("admin");

    explicit OperatorService(Db &main)
        : m_db(main)
    {
    }

    // Login names in table order.
    QStringList names();
    std::optional<OperatorRow> find(const QString &name);
    std::optional<OperatorRow> findById(qlonglong id);
    // "总部" and every branch, for the department list.
    QStringList departments();

    // Stores one group's string (group 1 to 4) for the operator at once.
    void setGroupRights(const QString &name, int group, const QString &rights);

    // Each returns the refusal to show, or an empty text when the change was made.
    QString add(const QString &name, const QString &password, const QString &repeat, const QString &department);
    QString update(qlonglong id, const QString &name, const QString &password, const QString &repeat,
                   const QString &department);
    // Deletes the operator; refuses "admin".
    QString remove(const QString &name);
    QString changePassword(const QString &user, const QString &oldPassword, const QString &newPassword,
                           const QString &repeat);

    // The operator whose name and password match, or nothing. A clear-text password that matches is replaced by
    // its hash.
    std::optional<OperatorRow> checkCredentials(const QString &name, const QString &password);
    // Rows that never had rights get every right (the login does this on each attempt).
    void fillMissingRights();

private:
    static OperatorRow fromRow(const Row &r);
    Db &m_db;
};

} // namespace verdalo
