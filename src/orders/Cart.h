#pragma once

#include "core/Db.h"
#include "core/Money.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

namespace verdalo {

// One line of an order being taken: an ordinary item, the head of a set menu, or one of its components.
struct CartLine
{
    qlonglong id = 0;
    QString name;        // 产品名称
    QString category;    // 菜品种类
    QString taste;       // 口味 ("特殊要求")
    QString setName;     // 套餐名称
    QString defaultItem; // 默认菜品
    double quantity = 0;
    Money price;
    Money amount;
    double commission = 0;

    bool isComponent() const { return !defaultItem.isEmpty(); }
};

// The discounted total as the form shows and stores it.
struct Discounted
{
    bool ok = true;
    QString error;   // a discount or rounding-off that is not a number
    Money value;     // total × discount ÷ 10 − rounding-off, four decimals
    QString text;    // shown at the precision 计算精度
};

// The cart of one order form, kept in this workstation's database under the form's key. A new order's cart is
// 销售临时表 keyed by 来电时间; an order under modification is 订单修改临时表 keyed by 单据编号.
class Cart
{
public:
    enum class Table { NewOrder, Modification };
    static constexpr int kTextWidth = 50;

    Cart(Db &local, Db &main, QString key, Table table = Table::NewOrder);

    const QString &key() const { return m_key; }
    std::vector<CartLine> lines();
    bool isEmpty();

    // Adds a catalogue item (a set menu with its components). `customerType` picks a special price. With
    // `askBeforeNegative`, an item whose `listedStock` is not above 0 is added only when `confirm` says yes.
    // Returns the id of the first line added, or 0 when nothing was added.
    qlonglong addItem(qlonglong itemId, const QString &customerType, bool askBeforeNegative, double listedStock,
                      const std::function<bool()> &confirm);
    void setQuantity(qlonglong lineId, double quantity);
    void setPrice(qlonglong lineId, Money price);
    // The special request; false when it is longer than the cart column holds.
    bool setTaste(qlonglong lineId, const QString &taste);
    // The names a set component may be exchanged for.
    QStringList substitutes(qlonglong lineId);
    void exchange(qlonglong lineId, const QString &name);
    // Removes the line; any line of a set removes every instance of that set.
    void remove(qlonglong lineId);
    void clear();

    Money total();
    static Discounted discounted(Money total, const QString &discount, const QString &rounding, const QString &precision);
    // name/phone/address[item quantity份…]总计:total元
    QString summary(const QString &name, const QString &phone, const QString &address, const QString &totalText);

private:
    QString table() const;
    QString keyColumn() const;
    void insertLine(const CartLine &l);
    std::optional<CartLine> line(qlonglong id);

    Db &m_local;
    Db &m_main;
    QString m_key;
    Table m_table;
};

} // namespace verdalo
