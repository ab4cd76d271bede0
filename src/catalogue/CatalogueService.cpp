#include "catalogue/CatalogueService.h"

#include "catalogue/PinyinInitials.h"
#include "spreadsheet/Spreadsheet.h"

#include <QHash>

#include <algorithm>

namespace verdalo {
namespace {

Params itemParams(const Item &i)
{
    return { { QStringLiteral("食物总类"), i.category },
             { QStringLiteral("菜品小类"), i.subcategory },
             { QStringLiteral("编号"), i.code },
             { QStringLiteral("名称"), i.name },
             { QStringLiteral("单价"), i.price.toVariant() },
             { QStringLiteral("备注"), i.remark },
             { QStringLiteral("拼音"), i.initials },
             { QStringLiteral("排序编号"), i.sortNumber },
             { QStringLiteral("业务员提成"), i.commission.toVariant() },
             { QStringLiteral("当前库存"), i.stock },
             { QStringLiteral("风味"), i.flavour } };
}

QString cellText(const QVariant &v)
{
    if (v.isNull())
        return {};
    if (v.typeId() == QMetaType::Double)
        return shortDecimal(v.toDouble()); // money and quantities: no binary noise, no needless zeros
    if (v.typeId() == QMetaType::Bool)
        return v.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    return v.toString();
}

} // namespace

Item Item::fromRow(const Row &r)
{
    Item i;
    i.id = r.toLongLong(QStringLiteral("id"));
    i.category = r.text(QStringLiteral("食物总类"));
    i.subcategory = r.text(QStringLiteral("菜品小类"));
    i.code = r.text(QStringLiteral("编号"));
    i.name = r.text(QStringLiteral("名称"));
    i.price = r.money(QStringLiteral("单价"));
    i.remark = r.text(QStringLiteral("备注"));
    i.initials = r.text(QStringLiteral("拼音"));
    i.sortNumber = r.toInt(QStringLiteral("排序编号"));
    i.commission = r.money(QStringLiteral("业务员提成"));
    i.stock = r.toDouble(QStringLiteral("当前库存"));
    i.flavour = r.text(QStringLiteral("风味"));
    return i;
}

std::vector<Item> CatalogueService::items(const QString &category)
{
    QString sql = QStringLiteral("select * from 菜单表 where 1=1");
    Params p;
    if (!category.isEmpty()) {
        sql += QStringLiteral(" and 食物总类=:食物总类");
        p.set(QStringLiteral("食物总类"), category);
    }
    sql += QStringLiteral(" order by 排序编号 nulls first, id");
    std::vector<Item> out;
    m_db.each(sql, p, [&out](const Row &r) { out.push_back(Item::fromRow(r)); });
    return out;
}

std::optional<Item> CatalogueService::item(qlonglong id)
{
    const auto r = m_db.first(QStringLiteral("select * from 菜单表 where id=:id"), { { QStringLiteral("id"), id } });
    return r ? std::optional(Item::fromRow(*r)) : std::nullopt;
}

QStringList CatalogueService::categoriesInTableOrder()
{
    return m_db.column(QStringLiteral("select 种类 from 种类 order by 编号"));
}

QStringList CatalogueService::categoriesBySortNumber()
{
    return m_db.column(QStringLiteral("select 种类 from 种类 order by 排序编号 nulls first, 编号"));
}

QStringList CatalogueService::subcategories(const QString &category)
{
    return m_db.column(QStringLiteral("select 小类名称 from 菜品小类 where 种类=:种类 order by id"),
                  { { QStringLiteral("种类"), category } });
}

QStringList CatalogueService::customerTypes()
{
    return m_db.column(QStringLiteral("select 客户类型 from 客户类型 order by id"));
}

int CatalogueService::nextSortNumber()
{
    const QVariant cc = m_db.scalar(QStringLiteral("select max(排序编号) as cc from 菜单表"));
    return cc.isNull() ? 1 : cc.toInt() + 1;
}

qlonglong CatalogueService::saveItem(const Item &item, bool branchStock)
{
    Transaction tx(m_db);
    qlonglong id = item.id;
    if (id == 0) {
        if (branchStock) {
            const QStringList branches = m_db.column(QStringLiteral("select 小区域 from 小区域 group by 小区域"));
            for (const QString &branch : branches) {
                m_db.exec(QStringLiteral("insert into 分店库存明细表 (网点名称,项目名称,当前库存) values "
                                         "(:网点名称,:项目名称,:当前库存) on conflict do nothing"),
                          { { QStringLiteral("网点名称"), branch },
                            { QStringLiteral("项目名称"), item.name },
                            { QStringLiteral("当前库存"), 0 } });
            }
        }
        id = m_db.scalar(QStringLiteral("insert into 菜单表 (食物总类,菜品小类,编号,名称,单价,备注,拼音,排序编号,业务员提成,"
                                        "当前库存,风味) values (:食物总类,:菜品小类,:编号,:名称,:单价,:备注,:拼音,"
                                        ":排序编号,:业务员提成,:当前库存,:风味) returning id"),
                         itemParams(item))
                 .toLongLong();
    } else {
        Params p = itemParams(item);
        p.set(QStringLiteral("id"), id);
        m_db.exec(QStringLiteral("update 菜单表 set 食物总类=:食物总类, 菜品小类=:菜品小类, 编号=:编号, 名称=:名称, "
                                 "单价=:单价, 备注=:备注, 拼音=:拼音, 排序编号=:排序编号, 业务员提成=:业务员提成, "
                                 "当前库存=:当前库存, 风味=:风味 where id=:id"),
                  p);
    }
    tx.commit();
    return id;
}

void CatalogueService::deleteItem(qlonglong id, bool branchStock)
{
    Transaction tx(m_db);
    const auto current = item(id);
    if (!current)
        return;
    if (branchStock) {
        m_db.exec(QStringLiteral("delete from 分店库存明细表 where 项目名称=:项目名称"),
                  { { QStringLiteral("项目名称"), current->name } });
    }
    m_db.exec(QStringLiteral("delete from 菜单表 where id=:id"), { { QStringLiteral("id"), id } });
    tx.commit();
}

QString CatalogueService::move(qlonglong id, const std::vector<qlonglong> &listed, MoveDirection direction)
{
    const auto at = std::find(listed.begin(), listed.end(), id);
    const bool up = direction == MoveDirection::Up;
    if (at == listed.end() || (up && at == listed.begin()) || (!up && at + 1 == listed.end()))
        return up ? QStringLiteral("已经是最上层了") : QStringLiteral("已经是最底层了");
    const qlonglong neighbour = up ? *(at - 1) : *(at + 1);
    Transaction tx(m_db);
    const QVariant mine = m_db.scalar(QStringLiteral("select 排序编号 from 菜单表 where id=:id"), { { QStringLiteral("id"), id } });
    const QVariant theirs = m_db.scalar(QStringLiteral("select 排序编号 from 菜单表 where id=:id"),
                                        { { QStringLiteral("id"), neighbour } });
    const auto set = QStringLiteral("update 菜单表 set 排序编号=:排序编号 where id=:id");
    m_db.exec(set, { { QStringLiteral("排序编号"), theirs }, { QStringLiteral("id"), id } });
    m_db.exec(set, { { QStringLiteral("排序编号"), mine }, { QStringLiteral("id"), neighbour } });
    tx.commit();
    return {};
}

int CatalogueService::fillMissingInitials(const std::vector<qlonglong> &listed)
{
    int filled = 0;
    Transaction tx(m_db);
    for (const qlonglong id : listed) {
        const auto r = m_db.first(QStringLiteral("select 名称, 拼音 from 菜单表 where id=:id"), { { QStringLiteral("id"), id } });
        if (!r || !r->text(QStringLiteral("拼音")).isEmpty())
            continue;
        m_db.exec(QStringLiteral("update 菜单表 set 拼音=:拼音 where id=:id"),
                  { { QStringLiteral("拼音"), itemInitials(r->text(QStringLiteral("名称"))) }, { QStringLiteral("id"), id } });
        ++filled;
    }
    tx.commit();
    return filled;
}

Rows CatalogueService::specialPrices(const QString &itemName)
{
    return m_db.rows(QStringLiteral("select * from 特价表 where 产品名称=:产品名称 order by id"),
                     { { QStringLiteral("产品名称"), itemName } });
}

void CatalogueService::setSpecialPrice(const QString &customerType, const QString &itemName, Money price)
{
    const Params p { { QStringLiteral("客户类型"), customerType },
                     { QStringLiteral("产品名称"), itemName },
                     { QStringLiteral("特价"), price.toVariant() } };
    Transaction tx(m_db);
    if (m_db.exec(QStringLiteral("update 特价表 set 特价=:特价 where 客户类型=:客户类型 and 产品名称=:产品名称"), p) == 0)
        m_db.exec(QStringLiteral("insert into 特价表 (客户类型,产品名称,特价) values (:客户类型,:产品名称,:特价)"), p);
    tx.commit();
}

void CatalogueService::deleteSpecialPrice(qlonglong id)
{
    m_db.exec(QStringLiteral("delete from 特价表 where id=:id"), { { QStringLiteral("id"), id } });
}

QStringList CatalogueService::setMenus()
{
    return m_db.column(QStringLiteral("select 名称 from 菜单表 where 食物总类=:食物总类 order by 排序编号 nulls first, id"),
                  { { QStringLiteral("食物总类"), kSetMenu } });
}

Rows CatalogueService::components(const QString &setMenu)
{
    return m_db.rows(QStringLiteral("select * from 套餐内容 where 套餐名称=:套餐名称 order by id"),
                     { { QStringLiteral("套餐名称"), setMenu } });
}

void CatalogueService::addComponent(const QString &setMenu, const QString &itemName, double quantity)
{
    m_db.exec(QStringLiteral("insert into 套餐内容 (套餐名称,菜品名称,数量) values (:套餐名称,:菜品名称,:数量)"),
              { { QStringLiteral("套餐名称"), setMenu }, { QStringLiteral("菜品名称"), itemName }, { QStringLiteral("数量"), quantity } });
}

void CatalogueService::updateComponent(qlonglong id, const QString &itemName, double quantity)
{
    m_db.exec(QStringLiteral("update 套餐内容 set 菜品名称=:菜品名称, 数量=:数量 where id=:id"),
              { { QStringLiteral("菜品名称"), itemName }, { QStringLiteral("数量"), quantity }, { QStringLiteral("id"), id } });
}

void CatalogueService::deleteComponent(qlonglong id)
{
    m_db.exec(QStringLiteral("delete from 套餐内容 where id=:id"), { { QStringLiteral("id"), id } });
}

Rows CatalogueService::substitutes(const QString &setMenu, const QString &defaultItem)
{
    return m_db.rows(QStringLiteral("select * from 备选菜品 where 套餐名称=:套餐名称 and 默认菜品=:默认菜品 order by id"),
                     { { QStringLiteral("套餐名称"), setMenu }, { QStringLiteral("默认菜品"), defaultItem } });
}

void CatalogueService::addSubstitute(const QString &setMenu, const QString &defaultItem, const QString &substitute)
{
    m_db.exec(QStringLiteral("insert into 备选菜品 (套餐名称,默认菜品,备选菜品) values (:套餐名称,:默认菜品,:备选菜品)"),
              { { QStringLiteral("套餐名称"), setMenu },
                { QStringLiteral("默认菜品"), defaultItem },
                { QStringLiteral("备选菜品"), substitute } });
}

void CatalogueService::deleteSubstitute(qlonglong id)
{
    m_db.exec(QStringLiteral("delete from 备选菜品 where id=:id"), { { QStringLiteral("id"), id } });
}

void CatalogueService::cleanUpSetMenus()
{
    m_db.exec(QStringLiteral("delete from 套餐内容 where 套餐名称 is null or 套餐名称 not in "
                             "(select 名称 from 菜单表 where 食物总类='套餐' and 名称 is not null)"));
}

bool CatalogueService::exportItems(const QString &path, const std::vector<qlonglong> &listed, QString *error)
{
    const QString all = QStringLiteral("select * from 菜单表");
    QHash<qlonglong, QStringList> byId;
    m_db.each(all, {}, [&byId](const Row &r) {
        QStringList cells;
        for (qsizetype c = 0; c < r.size(); ++c)
            cells.append(cellText(r.value(c)));
        byId.insert(r.toLongLong(QStringLiteral("id")), cells);
    });
    XlsxWriter out;
    if (!out.open(path, QStringLiteral("菜单资料"), error))
        return false;
    out.addRow(m_db.columnsOf(all + QStringLiteral(" where 1=0")));
    for (const qlonglong id : listed) {
        const auto it = byId.constFind(id);
        if (it != byId.constEnd())
            out.addRow(*it);
    }
    return out.close(error);
}

ImportResult CatalogueService::importItems(const QString &path, const std::function<void(int, int)> &progress)
{
    ImportResult result;
    SheetData sheet;
    if (!readFirstSheet(path, &sheet, &result.error))
        return result;
    // The rows to take: from the second row to the first whose first column is empty.
    size_t last = 1;
    while (last < sheet.rows.size() && !sheet.cell(last, 0).trimmed().isEmpty())
        ++last;
    const int total = static_cast<int>(last - 1);
    try {
        Transaction tx(m_db);
        for (size_t r = 1; r < last; ++r) {
            const QString priceText = sheet.cell(r, 3).trimmed();
            Money price;
            if (!priceText.isEmpty() && !Money::parse(priceText, &price)) {
                result.error = QStringLiteral("第%1行的单价“%2”不是数字，导入已取消，没有导入任何数据。")
                                   .arg(r + 1)
                                   .arg(priceText);
                result.imported = 0;
                return result;
            }
            m_db.exec(QStringLiteral("insert into 菜单表 (食物总类,编号,名称,单价,备注,菜品小类,拼音,排序编号) values "
                                     "(:食物总类,:编号,:名称,:单价,:备注,:菜品小类,:拼音,:排序编号)"),
                      { { QStringLiteral("食物总类"), sheet.cell(r, 0) },
                        { QStringLiteral("编号"), sheet.cell(r, 1) },
                        { QStringLiteral("名称"), sheet.cell(r, 2) },
                        { QStringLiteral("单价"), price.toVariant() },
                        { QStringLiteral("备注"), sheet.cell(r, 4) },
                        { QStringLiteral("菜品小类"), sheet.cell(r, 5) },
                        { QStringLiteral("拼音"), sheet.cell(r, 6) },
                        { QStringLiteral("排序编号"), static_cast<int>(r) } });
            ++result.imported;
            if (progress && (result.imported % 50 == 0 || result.imported == total))
                progress(result.imported, total);
        }
        tx.commit();
    } catch (const DbError &e) {
        result.error = e.message();
        result.imported = 0;
    }
    return result;
}

} // namespace verdalo
