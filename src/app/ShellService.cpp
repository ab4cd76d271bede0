#include "app/ShellService.h"

#include "core/BusinessDate.h"

namespace verdalo {

QStringList ShellService::branchList()
{
    return QStringList { QStringLiteral("总部") } + m_main.column(QStringLiteral("select 小区域 from 小区域 order by 小区域"));
}

int ShellService::overdueCustomerCount(const QDate &today, int days)
{
    return m_main
        .scalar(QStringLiteral("select count(*) from 客户资料 where 最后订菜时间<:最后订菜时间"),
                { { QStringLiteral("最后订菜时间"), dateText(today.addDays(-days)) } })
        .toInt();
}

bool ShellService::wantsColours()
{
    const auto r = m_local.first(QStringLiteral("select * from 颜色显示"));
    return r && r->toBool(QStringLiteral("需要颜色"));
}

void ShellService::setColours(bool on)
{
    m_local.exec(QStringLiteral("update 颜色显示 set 需要颜色=:需要颜色"), { { QStringLiteral("需要颜色"), on } });
}

bool ShellService::hasSmsAccount()
{
    const auto r = m_local.first(QStringLiteral("select * from 短信帐户"));
    return r && !r->text(QStringLiteral("用户名")).isEmpty();
}

void ShellService::cleanUpOnExit()
{
    m_main.exec(QStringLiteral("delete from 小区域订单 where 小区域 not in (select 小区域 from 小区域 "
                               "where 小区域 is not null)"));
    Transaction tx(m_local);
    m_local.exec(QStringLiteral("delete from 销售临时表"));
    m_local.exec(QStringLiteral("delete from 订单修改临时表"));
    tx.commit();
}

} // namespace verdalo
