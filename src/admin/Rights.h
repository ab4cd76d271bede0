#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <vector>

namespace verdalo {

// Every permission an operator can be given. Each lives at one position of one of the rights strings
// right1 ... right4; the operator window shows the four strings as groups.
enum class Right {
    // right1 "基础数据"
    ItemManagement, CustomerManagement, StaffManagement, CustomerTypes, CustomerAreas, ItemCategories,
    SpecialRequests, ViewCustomerInfo,
    // right2 "业务管理"
    TakeOrders, Dispatch, Collect, SignForCredit, DeleteOrder, ReturnGoods, Refund, ModifyOrder, OrderDiscount,
    Points, SendSms, StockIn, StockOut,
    // right3 "查询统计"
    OrderSalesQuery, ItemSalesSummary, CreditQuery, CommissionQuery, CustomerSpending, OrderTimeStats,
    DeliveryTimeStats, TopUpQuery, CallHistory, StockInQuery, StockOutQuery,
    // right4 "系统设置"
    SystemSettings, OperatorRights, ChangePassword, Backup, Restore, Initialise,
};

struct RightDef
{
    Right right;
    int string;   // 1 for right1 ... 4 for right4
    int position; // 1-based
    QString name; // as the operator window lists it
    bool strict;  // granted only by "1"; otherwise anything but "0" grants
};

struct RightsGroup
{
    int string;     // 1..4; 5 is the help group, which holds nothing
    QString title;  // "基础数据" ...
    std::vector<RightDef> rights;
};

// The rights strings of one operator and the rules that read them. Windows only ask granted().
class Rights
{
public:
    // A new operator's strings, and the strings the login gives a row that never had rights.
    static inline const QString kNewOperator = QString(31, QLatin1Char('0'));
    static inline const QString kAll = QString(39, QLatin1Char('1'));

    Rights() = default;
    explicit Rights(std::array<QString, 9> strings)
        : m_strings(std::move(strings))
    {
    }
    const std::array<QString, 9> &strings() const { return m_strings; }
    bool granted(Right r) const;
    // A character "1" or "0" for a position; positions beyond the string refuse.
    static bool granted(const QString &string, int position, bool strict);

    static const std::vector<RightsGroup> &groups();
    static const RightDef &definition(Right r);
    // The string the operator window stores for a group: one character per permission of the group.
    static QString groupString(const std::vector<bool> &checked);
    // The check marks a group shows for a stored string ("1" checked, anything else not).
    static std::vector<bool> groupChecks(const RightsGroup &group, const QString &string);

private:
    std::array<QString, 9> m_strings;
};

} // namespace verdalo
