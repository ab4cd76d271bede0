#pragma once

#include "core/Clock.h"
#include "core/Db.h"
#include "core/Money.h"
#include "orders/Cart.h"

#include <QString>

#include <functional>
#include <vector>

namespace verdalo {

// What an order form hands to the save.
struct OrderForm
{
    enum class AddressChange { None, ChangeDefault, AddAddress };

    bool manual = true;               // the manual take-out form; false: the call-order form
    QString customerNumber = QStringLiteral("无");
    QString phone;
    QString name;
    QString customerType;
    QString area;
    QString store;                    // 门店名称, stored in 小区域
    QString company;
    QString address;
    QString customerNote;
    QString deliveryNote;
    QString cardNumber;
    QString household;
    QString payment = QStringLiteral("现金");
    QString worker;
    Money balance;
    QString discountedText = QStringLiteral("0");
    QString discountText = QStringLiteral("10");
    QString roundingText = QStringLiteral("0");
    QString deliveryDate;             // yyyy-mm-dd
    QString deliveryTime;             // hh:mm:ss
    bool smsWorker = false;
    bool dispatched = false;          // manual form: 直接发货
    bool paid = false;                // manual form: 直接收款
    QString recordingFile;            // call form
    AddressChange addressChange = AddressChange::None;
};

// The shop's settings a save depends on.
struct SaveSettings
{
    QString extensionHours = QStringLiteral("0"); // 营业延长时间
    QString commissionMode = QStringLiteral("菜品");
    Money commissionPerOrder;
    bool branchStock = false;                     // 库存显示 "分店"
};

// The answer to "客户姓名和联系地址同时存在…".
enum class MergeAnswer { Merge, CreateNew, Cancel };

struct SaveResult
{
    bool saved = false;
    bool cancelled = false; // the merge question was answered "暂时退出"
    QString message;        // a refusal or the database's text
    QString orderNumber;
    QString businessDate;
    QString customerNumber;
    QString summary;
};

// Turns a cart into a stored order: checks, the day's next number, the customer, one row per cart line, stock,
// the rider's SMS and the branch signal — all in one transaction, so a failure leaves nothing behind and two
// workstations saving at the same moment get different numbers and exact stock.
class OrderSaver
{
public:
    OrderSaver(Db &main, const SaveSettings &settings, const Clock &clock)
        : m_db(main)
        , m_settings(settings)
        , m_clock(clock)
    {
    }

    SaveResult save(const OrderForm &form, const std::vector<CartLine> &lines,
                    const std::function<MergeAnswer()> &askMerge);

    // The next number of a business day, drawn inside the caller's transaction. Numbers keep increasing past
    // 9999 (the sequence then simply has more digits).
    QString nextOrderNumber(const QDate &businessDay);

private:
    Db &m_db;
    SaveSettings m_settings;
    const Clock &m_clock;
};

} // namespace verdalo
