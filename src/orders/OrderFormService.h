#pragma once

#include "core/Db.h"
#include "core/Money.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace verdalo {

// One entry of an order form's item list.
struct ItemEntry
{
    qlonglong id = 0;
    QString name;
    Money price;
    double stock = 0;
    QString caption() const; // 名称-单价元
};

// What the customer lookup found for a phone number.
struct CustomerLookup
{
    Rows matches;              // every customer whose phone text contains the number
    std::optional<Row> chosen; // the first of them
    QStringList stores;        // stores of the customer's area ("总部" when it has none)
    QString discount;          // of the customer's class, "10" when not set
    Rows lastOrder;            // the rows of the customer's latest order
    QStringList addresses;     // main address, then the further ones
};

// The database side of the order forms: lookups, pick lists and the item list.
class OrderFormService
{
public:
    OrderFormService(Db &main)
        : m_db(main)
    {
    }

    CustomerLookup lookup(const QString &phone);
    QStringList storesOf(const QString &area);
    QString discountOf(const QString &customerType);
    Rows lastOrder(const QString &customerNumber);
    Rows history(const QString &customerNumber);
    QStringList addressesOf(const Row &customer);

    QStringList customerTypes();
    QStringList areas();
    QStringList workers();
    QStringList tastes();
    QStringList categories();                   // in their order
    Rows subcategories(const QString &category);

    // The item list. With the branch stock mode only items with a stock row for `store` are listed, with that
    // stock. `category` "全部" or empty means every category.
    std::vector<ItemEntry> items(bool branchStock, const QString &store, const QString &category = {},
                                 const QString &subcategory = {}, const QString &pinyin = {});

    // "保存新客户信息": the new customer's number.
    qlonglong saveNewCustomer(const QString &name, const QString &phone, const QString &address, const QString &type,
                              const QString &company, const QString &area, const QString &store, const QString &note,
                              const QString &card, double household);

private:
    Db &m_db;
};

} // namespace verdalo
