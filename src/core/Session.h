#pragma once

#include "core/Money.h"

#include <QHash>
#include <QString>

#include <array>

namespace verdalo {

// The workstation settings loaded at login: every cysz.ini key by its section name, the values of the 店名 row
// that the program works with, and the fixed values each login starts with.
struct Settings
{
    // cysz.ini, after defaults: section name -> value.
    QHash<QString, QString> values;
    QString value(const QString &key) const { return values.value(key); }
    bool isYes(const QString &key) const { return values.value(key) == QStringLiteral("是"); }

    // From the 店名 row.
    QString commissionMode;  // 提成设置: "次数" or "菜品"
    Money commissionPerOrder; // 次提成金额

    // Fixed at each login.
    QString pointsDivisor = QStringLiteral("1");
    QString rounding = QStringLiteral("角分");
    QString addressWithArea = QStringLiteral("不包含");
    int customLineHeight = 22;
};

// The values fixed at login and read by the whole program. One per running program; windows get it passed in.
struct Session
{
    static inline const QString kAdministrator = QStringLiteral("管理员");
    static inline const QString kHeadOffice = QStringLiteral("总部");

    QString runMode;
    QString databaseName;
    QString userName;
    QString role;
    QString branch;
    std::array<QString, 9> rights;
    QString loginMode;       // "来电登陆", "无来电登陆", "录音登陆" + model
    QString callerIdBoxType; // with "来电登陆"
    int callerIdPort = 0;
    int recordingLines = 0;
    int refreshSeconds = 0;  // 0: the board does not refresh by itself
    Settings settings;

    bool isNetwork() const { return runMode == QStringLiteral("网络版"); }
    bool isAdministrator() const { return role == kAdministrator; }
    bool isHeadOffice() const { return branch == kHeadOffice; }
};

} // namespace verdalo
