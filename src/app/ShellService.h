#pragma once

#include "core/Db.h"

#include <QDate>
#include <QStringList>

namespace verdalo {

// The main window's own statements.
class ShellService
{
public:
    ShellService(Db &main, Db &local)
        : m_main(main)
        , m_local(local)
    {
    }

    // "总部" followed by every branch in name order, for the board's branch list.
    QStringList branchList();
    // Customers whose last order is strictly before `today` minus `days` days.
    int overdueCustomerCount(const QDate &today, int days);
    bool wantsColours();
    void setColours(bool on);
    bool hasSmsAccount();
    // At closing: signals for names that are not branches go, and this workstation's carts are emptied.
    void cleanUpOnExit();

private:
    Db &m_main;
    Db &m_local;
};

} // namespace verdalo
