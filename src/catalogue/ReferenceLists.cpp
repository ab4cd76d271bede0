#include "catalogue/ReferenceLists.h"

#include <algorithm>

namespace verdalo {

Rows ReferenceLists::categories()
{
    return m_db.rows(QStringLiteral("select * from 种类 order by 排序编号 nulls first, 编号"));
}

qlonglong ReferenceLists::addCategory(const QString &name)
{
    // A new category has no sort number yet: it lists first until it is moved or the start-up repair numbers it.
    return m_db.scalar(QStringLiteral("insert into 种类 (种类) values (:种类) returning 编号"), { { QStringLiteral("种类"), name } })
        .toLongLong();
}

void ReferenceLists::renameCategory(qlonglong number, const QString &name)
{
    m_db.exec(QStringLiteral("update 种类 set 种类=:种类 where 编号=:编号"),
              { { QStringLiteral("种类"), name }, { QStringLiteral("编号"), number } });
}

void ReferenceLists::deleteCategory(qlonglong number)
{
    m_db.exec(QStringLiteral("delete from 种类 where 编号=:编号"), { { QStringLiteral("编号"), number } });
}

QString ReferenceLists::moveCategory(qlonglong number, const std::vector<qlonglong> &listed, bool up)
{
    const auto at = std::find(listed.begin(), listed.end(), number);
    if (at == listed.end() || (up && at == listed.begin()) || (!up && at + 1 == listed.end()))
        return up ? QStringLiteral("已经是最上层了") : QStringLiteral("已经是最底层了");
    const qlonglong neighbour = up ? *(at - 1) : *(at + 1);
    Transaction tx(m_db);
    const auto sortOf = [this](qlonglong n) {
        return m_db.scalar(QStringLiteral("select 排序编号 from 种类 where 编号=:编号"), { { QStringLiteral("编号"), n } });
    };
    const QVariant mine = sortOf(number);
    const QVariant theirs = sortOf(neighbour);
    const auto set = QStringLiteral("update 种类 set 排序编号=:排序编号 where 编号=:编号");
    m_db.exec(set, { { QStringLiteral("排序编号"), theirs }, { QStringLiteral("编号"), number } });
    m_db.exec(set, { { QStringLiteral("排序编号"), mine }, { QStringLiteral("编号"), neighbour } });
    tx.commit();
    return {};
}

Rows ReferenceLists::subcategories()
{
    return m_db.rows(QStringLiteral("select * from 菜品小类 order by id"));
}

qlonglong ReferenceLists::addSubcategory(const QString &category, const QString &name)
{
    return m_db
        .scalar(QStringLiteral("insert into 菜品小类 (种类, 小类名称) values (:种类, :小类名称) returning id"),
                { { QStringLiteral("种类"), category }, { QStringLiteral("小类名称"), name } })
        .toLongLong();
}

void ReferenceLists::updateSubcategory(qlonglong id, const QString &category, const QString &name)
{
    m_db.exec(QStringLiteral("update 菜品小类 set 种类=:种类, 小类名称=:小类名称 where id=:id"),
              { { QStringLiteral("种类"), category }, { QStringLiteral("小类名称"), name }, { QStringLiteral("id"), id } });
}

void ReferenceLists::deleteSubcategory(qlonglong id)
{
    m_db.exec(QStringLiteral("delete from 菜品小类 where id=:id"), { { QStringLiteral("id"), id } });
}

Rows ReferenceLists::tastes()
{
    return m_db.rows(QStringLiteral("select * from 口味 order by id"));
}

qlonglong ReferenceLists::addTaste(const QString &text)
{
    return m_db.scalar(QStringLiteral("insert into 口味 (口味) values (:口味) returning id"), { { QStringLiteral("口味"), text } })
        .toLongLong();
}

void ReferenceLists::updateTaste(qlonglong id, const QString &text)
{
    m_db.exec(QStringLiteral("update 口味 set 口味=:口味 where id=:id"),
              { { QStringLiteral("口味"), text }, { QStringLiteral("id"), id } });
}

void ReferenceLists::deleteTaste(qlonglong id)
{
    m_db.exec(QStringLiteral("delete from 口味 where id=:id"), { { QStringLiteral("id"), id } });
}

Rows ReferenceLists::areas()
{
    return m_db.rows(QStringLiteral("select * from 区域 order by 区域"));
}

QString ReferenceLists::addArea(const QString &name)
{
    if (name.trimmed().isEmpty())
        return QStringLiteral("请输入添加的部门信息");
    Transaction tx(m_db);
    if (m_db.first(QStringLiteral("select * from 区域 where 区域=:区域"), { { QStringLiteral("区域"), name } }))
        return QStringLiteral("已有重复记录！！");
    m_db.exec(QStringLiteral("insert into 区域 (区域) values (:区域)"), { { QStringLiteral("区域"), name } });
    tx.commit();
    return {};
}

void ReferenceLists::deleteArea(qlonglong id)
{
    m_db.exec(QStringLiteral("delete from 区域 where id=:id"), { { QStringLiteral("id"), id } });
}

Rows ReferenceLists::stores(bool byArea)
{
    return m_db.rows(byArea ? QStringLiteral("select * from 小区域 order by 区域, id")
                            : QStringLiteral("select * from 小区域 order by id"));
}

QString ReferenceLists::addStore(const QString &area, const QString &store)
{
    if (store.trimmed().isEmpty())
        return QStringLiteral("请输入添加的小区域信息");
    if (area.trimmed().isEmpty())
        return QStringLiteral("请选择大区域信息");
    Transaction tx(m_db);
    if (m_db.first(QStringLiteral("select * from 小区域 where 区域=:区域 and 小区域=:小区域"),
                   { { QStringLiteral("区域"), area }, { QStringLiteral("小区域"), store } }))
        return QStringLiteral("已有重复的小区域设置！！");
    m_db.exec(QStringLiteral("insert into 小区域 (区域,小区域) values (:区域,:小区域)"),
              { { QStringLiteral("区域"), area }, { QStringLiteral("小区域"), store } });
    tx.commit();
    return {};
}

void ReferenceLists::deleteStore(qlonglong id)
{
    m_db.exec(QStringLiteral("delete from 小区域 where id=:id"), { { QStringLiteral("id"), id } });
}

QStringList ReferenceLists::branchNames()
{
    return m_db.column(QStringLiteral("select 小区域 from 小区域 group by 小区域 order by 小区域"));
}

Rows ReferenceLists::customerTypes()
{
    return m_db.rows(QStringLiteral("select * from 客户类型 order by 客户类型"));
}

QString ReferenceLists::addCustomerType(const QString &name, const QString &rate)
{
    if (name.trimmed().isEmpty())
        return QStringLiteral("请输入添加的客户类型");
    // No rate typed: the full price.
    bool ok = rate.trimmed().isEmpty();
    const double value = ok ? 10.0 : rate.trimmed().toDouble(&ok);
    if (!ok || value < 0)
        return QStringLiteral("折扣率必须是数字！！");
    Transaction tx(m_db);
    if (m_db.first(QStringLiteral("select * from 客户类型 where 客户类型=:客户类型"), { { QStringLiteral("客户类型"), name } }))
        return QStringLiteral("已有重复的客户类型！！");
    m_db.exec(QStringLiteral("insert into 客户类型 (客户类型,折扣率) values (:客户类型,:折扣率)"),
              { { QStringLiteral("客户类型"), name }, { QStringLiteral("折扣率"), value } });
    tx.commit();
    return {};
}

void ReferenceLists::deleteCustomerType(qlonglong id)
{
    m_db.exec(QStringLiteral("delete from 客户类型 where id=:id"), { { QStringLiteral("id"), id } });
}

Rows ReferenceLists::workers()
{
    return m_db.rows(QStringLiteral("select * from 员工列表 order by id"));
}

qlonglong ReferenceLists::saveWorker(qlonglong id, const QString &name, const QString &phone, const QString &vehicle,
                                     const QString &store)
{
    const Params p { { QStringLiteral("姓名"), name },
                     { QStringLiteral("电话"), phone },
                     { QStringLiteral("所用车辆"), vehicle },
                     { QStringLiteral("所属门店"), store },
                     { QStringLiteral("id"), id } };
    if (id == 0) {
        return m_db
            .scalar(QStringLiteral("insert into 员工列表 (姓名,电话,所用车辆,所属门店) values (:姓名,:电话,:所用车辆,:所属门店) "
                                   "returning id"),
                    p)
            .toLongLong();
    }
    m_db.exec(QStringLiteral("update 员工列表 set 姓名=:姓名, 电话=:电话, 所用车辆=:所用车辆, 所属门店=:所属门店 where id=:id"), p);
    return id;
}

void ReferenceLists::deleteWorker(qlonglong id)
{
    m_db.exec(QStringLiteral("delete from 员工列表 where id=:id"), { { QStringLiteral("id"), id } });
}

} // namespace verdalo
