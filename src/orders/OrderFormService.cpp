#include "orders/OrderFormService.h"

#include "orders/Cart.h"

namespace verdalo {
QString ItemEntry::caption() const
{
    return name + QLatin1Char('-') + shortMoney(price) + QStringLiteral("元");
}

CustomerLookup OrderFormService::lookup(const QString &phone)
{
    CustomerLookup r;
    if (phone.trimmed().isEmpty())
        return r;
    r.matches = m_db.rows(QStringLiteral("select * from 客户资料 where 联系电话 like :联系电话 order by id"),
                          { { QStringLiteral("联系电话"), QLatin1Char('%') + phone.trimmed() + QLatin1Char('%') } });
    if (r.matches.empty())
        return r;
    r.chosen = r.matches.front();
    r.stores = storesOf(r.chosen->text(QStringLiteral("客户地区")));
    r.discount = discountOf(r.chosen->text(QStringLiteral("客户类型")));
    r.lastOrder = lastOrder(r.chosen->text(QStringLiteral("id")));
    r.addresses = addressesOf(*r.chosen);
    return r;
}

QStringList OrderFormService::storesOf(const QString &area)
{
    const QStringList stores = m_db.column(QStringLiteral("select 小区域 from 小区域 where 区域=:区域 order by id"),
                                      { { QStringLiteral("区域"), area } });
    return stores.isEmpty() ? QStringList { QStringLiteral("总部") } : stores;
}

QString OrderFormService::discountOf(const QString &customerType)
{
    const auto r = m_db.first(QStringLiteral("select * from 客户类型 where 客户类型=:客户类型"),
                              { { QStringLiteral("客户类型"), customerType } });
    if (!r || r->isNull(QStringLiteral("折扣率")))
        return QStringLiteral("10");
    return shortMoney(Money::fromVariant(r->value(QStringLiteral("折扣率"))));
}

Rows OrderFormService::lastOrder(const QString &customerNumber)
{
    const QVariant number = m_db.scalar(QStringLiteral("select 单据编号 from 产品销售开票 where 客户编号=:客户编号 order by id desc limit 1"),
                                        { { QStringLiteral("客户编号"), customerNumber } });
    if (number.isNull())
        return {};
    return m_db.rows(QStringLiteral("select * from 产品销售开票 where 单据编号=:单据编号 order by id"),
                     { { QStringLiteral("单据编号"), number } });
}

Rows OrderFormService::history(const QString &customerNumber)
{
    return m_db.rows(QStringLiteral("select * from 产品销售开票 where 客户编号=:bh order by id"), { { QStringLiteral("bh"), customerNumber } });
}

QStringList OrderFormService::addressesOf(const Row &customer)
{
    QStringList out { customer.text(QStringLiteral("联系地址")) };
    out += m_db.column(QStringLiteral("select 客户地址 from 多个地址 where 客户编号=:客户编号 order by id"),
                  { { QStringLiteral("客户编号"), customer.text(QStringLiteral("id")) } });
    return out;
}

QStringList OrderFormService::customerTypes()
{
    return m_db.column(QStringLiteral("select 客户类型 from 客户类型 order by 客户类型"));
}

QStringList OrderFormService::areas()
{
    return m_db.column(QStringLiteral("select 区域 from 区域 order by 区域"));
}

QStringList OrderFormService::workers()
{
    return m_db.column(QStringLiteral("select 姓名 from 员工列表 order by id"));
}

QStringList OrderFormService::tastes()
{
    return m_db.column(QStringLiteral("select 口味 from 口味 order by id"));
}

QStringList OrderFormService::categories()
{
    return m_db.column(QStringLiteral("select 种类 from 种类 order by 排序编号 nulls first, 编号"));
}

Rows OrderFormService::subcategories(const QString &category)
{
    return m_db.rows(QStringLiteral("select * from 菜品小类 where 种类=:种类 order by id"), { { QStringLiteral("种类"), category } });
}

std::vector<ItemEntry> OrderFormService::items(bool branchStock, const QString &store, const QString &category,
                                               const QString &subcategory, const QString &pinyin)
{
    QString sql;
    Params p;
    const bool anyCategory = category.isEmpty() || category == QStringLiteral("全部");
    if (branchStock) {
        sql = QStringLiteral("select a.名称,a.单价,a.id,b.当前库存 from 菜单表 a,分店库存明细表 b where a.名称=b.项目名称 and "
                             "b.网点名称=:网点名称");
        p.set(QStringLiteral("网点名称"), store);
        if (!anyCategory) {
            sql += QStringLiteral(" and a.食物总类=:食物总类");
            p.set(QStringLiteral("食物总类"), category);
        }
        if (!subcategory.isEmpty()) {
            sql += QStringLiteral(" and a.菜品小类=:菜品小类");
            p.set(QStringLiteral("菜品小类"), subcategory);
        }
        if (!pinyin.isEmpty()) {
            sql += QStringLiteral(" and a.拼音 like :拼音");
            p.set(QStringLiteral("拼音"), QLatin1Char('%') + pinyin + QLatin1Char('%'));
        }
        sql += QStringLiteral(" order by a.排序编号");
    } else {
        sql = QStringLiteral("select * from 菜单表 where 1=1");
        if (!anyCategory) {
            sql += QStringLiteral(" and 食物总类=:食物总类");
            p.set(QStringLiteral("食物总类"), category);
        }
        if (!subcategory.isEmpty()) {
            sql += QStringLiteral(" and 菜品小类=:菜品小类");
            p.set(QStringLiteral("菜品小类"), subcategory);
        }
        if (!pinyin.isEmpty()) {
            sql += QStringLiteral(" and 拼音 like :拼音");
            p.set(QStringLiteral("拼音"), QLatin1Char('%') + pinyin + QLatin1Char('%'));
        }
        sql += QStringLiteral(" order by 排序编号 nulls first, id");
    }
    std::vector<ItemEntry> out;
    m_db.each(sql, p, [&out](const Row &r) {
        out.push_back({ r.toLongLong(QStringLiteral("id")), r.text(QStringLiteral("名称")), r.money(QStringLiteral("单价")),
                        r.toDouble(QStringLiteral("当前库存")) });
    });
    return out;
}

qlonglong OrderFormService::saveNewCustomer(const QString &name, const QString &phone, const QString &address,
                                            const QString &type, const QString &company, const QString &area,
                                            const QString &store, const QString &note, const QString &card,
                                            double household)
{
    return m_db
        .scalar(QStringLiteral("insert into 客户资料 (客户姓名,联系电话,联系地址,客户类型,客户单位,客户地区,小区域,客户备注,购物次数,"
                               "购物金额,可用积分,帐户余额,手工编码,家庭人数,信用等级) values (:客户姓名,:联系电话,:联系地址,:客户类型,"
                               ":客户单位,:客户地区,:小区域,:客户备注,0,0,0,0,:手工编码,:家庭人数,'中') returning id"),
                { { QStringLiteral("客户姓名"), name },
                  { QStringLiteral("联系电话"), phone },
                  { QStringLiteral("联系地址"), address },
                  { QStringLiteral("客户类型"), type },
                  { QStringLiteral("客户单位"), company },
                  { QStringLiteral("客户地区"), area },
                  { QStringLiteral("小区域"), store },
                  { QStringLiteral("客户备注"), note },
                  { QStringLiteral("手工编码"), card },
                  { QStringLiteral("家庭人数"), household } })
        .toLongLong();
}

} // namespace verdalo
