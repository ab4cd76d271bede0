#include "orders/Cart.h"

namespace verdalo {
namespace {

CartLine fromRow(const Row &r)
{
    CartLine l;
    l.id = r.toLongLong(QStringLiteral("id"));
    l.name = r.text(QStringLiteral("产品名称"));
    l.category = r.text(QStringLiteral("菜品种类"));
    l.taste = r.text(QStringLiteral("口味"));
    l.setName = r.text(QStringLiteral("套餐名称"));
    l.defaultItem = r.text(QStringLiteral("默认菜品"));
    l.quantity = r.toDouble(QStringLiteral("数量"));
    l.price = r.money(QStringLiteral("单价"));
    l.amount = r.money(QStringLiteral("应付货款"));
    l.commission = r.toDouble(QStringLiteral("提成"));
    return l;
}

} // namespace

Cart::Cart(Db &local, Db &main, QString key, Table table)
    : m_local(local)
    , m_main(main)
    , m_key(std::move(key))
    , m_table(table)
{
}

QString Cart::table() const
{
    return m_table == Table::NewOrder ? QStringLiteral("销售临时表") : QStringLiteral("订单修改临时表");
}

QString Cart::keyColumn() const
{
    return m_table == Table::NewOrder ? QStringLiteral("来电时间") : QStringLiteral("单据编号");
}

std::vector<CartLine> Cart::lines()
{
    std::vector<CartLine> out;
    m_local.each(QStringLiteral("select * from %1 where %2=:key order by id").arg(table(), keyColumn()),
                 { { QStringLiteral("key"), m_key } }, [&out](const Row &r) { out.push_back(fromRow(r)); });
    return out;
}

bool Cart::isEmpty()
{
    return m_local.scalar(QStringLiteral("select count(*) from %1 where %2=:key").arg(table(), keyColumn()),
                          { { QStringLiteral("key"), m_key } })
               .toInt()
        == 0;
}

std::optional<CartLine> Cart::line(qlonglong id)
{
    const auto r = m_local.first(QStringLiteral("select * from %1 where id=:id and %2=:key").arg(table(), keyColumn()),
                                 { { QStringLiteral("id"), id }, { QStringLiteral("key"), m_key } });
    return r ? std::optional(fromRow(*r)) : std::nullopt;
}

void Cart::insertLine(const CartLine &l)
{
    m_local.exec(QStringLiteral("insert into %1 (%2, 产品名称, 菜品种类, 单价, 数量, 应付货款, 提成, 口味, 套餐名称, 默认菜品) "
                                "values (:key, :产品名称, :菜品种类, :单价, :数量, :应付货款, :提成, :口味, :套餐名称, :默认菜品)")
                     .arg(table(), keyColumn()),
                 { { QStringLiteral("key"), m_key },
                   { QStringLiteral("产品名称"), l.name.left(kTextWidth) },
                   { QStringLiteral("菜品种类"), l.category.left(kTextWidth) },
                   { QStringLiteral("单价"), l.price.toVariant() },
                   { QStringLiteral("数量"), l.quantity },
                   { QStringLiteral("应付货款"), l.amount.toVariant() },
                   { QStringLiteral("提成"), l.commission },
                   { QStringLiteral("口味"), l.taste },
                   { QStringLiteral("套餐名称"), l.setName.left(kTextWidth) },
                   { QStringLiteral("默认菜品"), l.defaultItem.left(kTextWidth) } });
}

qlonglong Cart::addItem(qlonglong itemId, const QString &customerType, bool askBeforeNegative, double listedStock,
                        const std::function<bool()> &confirm)
{
    if (askBeforeNegative && listedStock <= 0 && confirm && !confirm())
        return 0;
    const auto item = m_main.first(QStringLiteral("select * from 菜单表 where id=:id"), { { QStringLiteral("id"), itemId } });
    if (!item)
        return 0;
    const QString name = item->text(QStringLiteral("名称"));
    Money price = item->money(QStringLiteral("单价"));
    if (const auto special = m_main.first(QStringLiteral("select * from 特价表 where 产品名称=:产品名称 and 客户类型=:客户类型"),
                                          { { QStringLiteral("产品名称"), name }, { QStringLiteral("客户类型"), customerType } }))
        price = special->money(QStringLiteral("特价"));
    const Rows components = m_main.rows(QStringLiteral("select * from 套餐内容 where 套餐名称=:套餐名称 order by id"),
                                        { { QStringLiteral("套餐名称"), name } });
    CartLine head;
    head.name = name;
    head.category = item->text(QStringLiteral("食物总类"));
    head.price = price;
    head.quantity = 1;
    head.amount = price;
    head.commission = item->money(QStringLiteral("业务员提成")).toDouble();
    if (!components.empty())
        head.setName = name;
    Transaction tx(m_local);
    insertLine(head);
    const qlonglong first = m_local.scalar(QStringLiteral("select max(id) from %1 where %2=:key").arg(table(), keyColumn()),
                                           { { QStringLiteral("key"), m_key } })
                                .toLongLong();
    for (const Row &c : components) {
        CartLine part;
        part.name = c.text(QStringLiteral("菜品名称"));
        part.quantity = c.toDouble(QStringLiteral("数量"));
        part.setName = name;
        part.defaultItem = part.name;
        insertLine(part);
    }
    tx.commit();
    return first;
}

void Cart::setQuantity(qlonglong lineId, double quantity)
{
    const auto l = line(lineId);
    if (!l)
        return;
    double commission = l->commission;
    if (const auto rate = m_main.first(QStringLiteral("select 业务员提成 from 菜单表 where 名称=:名称"),
                                       { { QStringLiteral("名称"), l->name } }))
        commission = rate->money(QStringLiteral("业务员提成")).times(quantity).toDouble();
    m_local.exec(QStringLiteral("update %1 set 数量=:数量, 应付货款=:应付货款, 提成=:提成 where id=:id").arg(table()),
                 { { QStringLiteral("数量"), quantity },
                   { QStringLiteral("应付货款"), l->price.times(quantity).toVariant() },
                   { QStringLiteral("提成"), commission },
                   { QStringLiteral("id"), lineId } });
}

void Cart::setPrice(qlonglong lineId, Money price)
{
    const auto l = line(lineId);
    if (!l)
        return;
    m_local.exec(QStringLiteral("update %1 set 单价=:单价, 应付货款=:应付货款 where id=:id").arg(table()),
                 { { QStringLiteral("单价"), price.toVariant() },
                   { QStringLiteral("应付货款"), price.times(l->quantity).toVariant() },
                   { QStringLiteral("id"), lineId } });
}

bool Cart::setTaste(qlonglong lineId, const QString &taste)
{
    if (taste.size() > kTextWidth)
        return false;
    m_local.exec(QStringLiteral("update %1 set 口味=:口味 where id=:id").arg(table()),
                 { { QStringLiteral("口味"), taste }, { QStringLiteral("id"), lineId } });
    return true;
}

QStringList Cart::substitutes(qlonglong lineId)
{
    const auto l = line(lineId);
    if (!l || !l->isComponent())
        return {};
    return m_main.column(QStringLiteral("select 备选菜品 from 备选菜品 where 套餐名称=:套餐名称 and 默认菜品=:默认菜品 order by id"),
                         { { QStringLiteral("套餐名称"), l->setName }, { QStringLiteral("默认菜品"), l->defaultItem } });
}

void Cart::exchange(qlonglong lineId, const QString &name)
{
    m_local.exec(QStringLiteral("update %1 set 产品名称=:产品名称 where id=:id").arg(table()),
                 { { QStringLiteral("产品名称"), name.left(kTextWidth) }, { QStringLiteral("id"), lineId } });
}

void Cart::remove(qlonglong lineId)
{
    const auto l = line(lineId);
    if (!l)
        return;
    Transaction tx(m_local);
    if (!l->setName.isEmpty()) {
        const Params p { { QStringLiteral("key"), m_key }, { QStringLiteral("name"), l->setName } };
        m_local.exec(QStringLiteral("delete from %1 where %2=:key and 套餐名称=:name").arg(table(), keyColumn()), p);
        m_local.exec(QStringLiteral("delete from %1 where %2=:key and 产品名称=:name").arg(table(), keyColumn()), p);
    } else {
        m_local.exec(QStringLiteral("delete from %1 where id=:id").arg(table()), { { QStringLiteral("id"), lineId } });
    }
    tx.commit();
}

void Cart::clear()
{
    m_local.exec(QStringLiteral("delete from %1 where %2=:key").arg(table(), keyColumn()), { { QStringLiteral("key"), m_key } });
}

Money Cart::total()
{
    return Money::fromVariant(m_local.scalar(
        QStringLiteral("select sum(应付货款) as cc from %1 where %2=:key").arg(table(), keyColumn()),
        { { QStringLiteral("key"), m_key } }));
}

Discounted Cart::discounted(Money total, const QString &discount, const QString &rounding, const QString &precision)
{
    Discounted d;
    Money rate;
    Money off;
    const QString rateText = discount.trimmed().isEmpty() ? QStringLiteral("10") : discount.trimmed();
    const QString offText = rounding.trimmed().isEmpty() ? QStringLiteral("0") : rounding.trimmed();
    if (!Money::parse(rateText, &rate)) {
        d.ok = false;
        d.error = QStringLiteral("“%1”不是有效的折扣！！").arg(discount);
        return d;
    }
    if (!Money::parse(offText, &off)) {
        d.ok = false;
        d.error = QStringLiteral("“%1”不是有效的抹零金额！！").arg(rounding);
        return d;
    }
    // T × (D ÷ 10) − R, kept to four decimals.
    d.value = total.scaled(rate, 10) - off;
    if (precision == QStringLiteral("角分"))
        d.text = d.value.toString(2);
    else if (precision == QStringLiteral("角"))
        d.text = d.value.toString(1);
    else if (precision == QStringLiteral("元"))
        d.text = d.value.toString(0);
    else
        d.text = shortMoney(d.value);
    return d;
}

QString Cart::summary(const QString &name, const QString &phone, const QString &address, const QString &totalText)
{
    QString s = name + QLatin1Char('/') + phone + QLatin1Char('/') + address + QLatin1Char('[');
    for (const CartLine &l : lines())
        s += l.name + QString::number(l.quantity) + QStringLiteral("份");
    return s + QStringLiteral("]总计:") + totalText + QStringLiteral("元");
}

} // namespace verdalo
