#include "board/BoardService.h"

#include "core/BusinessDate.h"
#include "core/Money.h"

#include <cmath>

namespace verdalo {
namespace {

// The period and filter conditions shared by the board's statements.
void addPeriod(QString &sql, Params &p, const BoardFilter &f, const QDate &businessDay)
{
    if (f.today) {
        sql += QStringLiteral(" where 购物日期=:rq");
        p.set(QStringLiteral("rq"), dateText(businessDay));
    } else {
        sql += QStringLiteral(" where 购物日期 between :rq1 and :rq2");
        p.set(QStringLiteral("rq1"), dateText(f.from));
        p.set(QStringLiteral("rq2"), dateText(f.to));
    }
}

void addFilters(QString &sql, Params &p, const BoardFilter &f, bool branch, bool status)
{
    if (branch && f.oneBranch) {
        sql += QStringLiteral(" and 小区域=:小区域");
        p.set(QStringLiteral("小区域"), f.branch);
    }
    if (status && f.status != OrderStatus::All) {
        const bool paid = f.status == OrderStatus::PaidNotDispatched || f.status == OrderStatus::Done;
        const bool dispatched = f.status == OrderStatus::DispatchedNotPaid || f.status == OrderStatus::Done;
        sql += QStringLiteral(" and 交款完毕=:wb1 and 发货完毕=:wb2");
        p.set(QStringLiteral("wb1"), paid);
        p.set(QStringLiteral("wb2"), dispatched);
    }
}

} // namespace

Rows BoardService::orderList(const BoardFilter &f, const QDate &businessDay, const QString &commissionMode,
                             bool withStatus)
{
    const bool perItem = commissionMode == QStringLiteral("菜品");
    QString sql = QStringLiteral("select 单据编号,配送工,客户编号,客户姓名,区域,地址,交款完毕,发货完毕,时间,电话,折后金额 as 应付货款,"
                                 "送餐日期,送餐时间,购物日期,小区域,发货备注,录音文件,%1,收款方式,手工编码 from 产品销售开票")
                      .arg(perItem ? QStringLiteral("sum(提成) as 提成") : QStringLiteral("提成"));
    Params p;
    addPeriod(sql, p, f, businessDay);
    addFilters(sql, p, f, true, withStatus);
    sql += QStringLiteral(" group by 单据编号,配送工,客户编号,客户姓名,区域,地址,交款完毕,发货完毕,时间,电话,送餐日期,送餐时间,"
                          "购物日期,小区域,发货备注,录音文件,%1折后金额,收款方式,手工编码 order by 单据编号")
               .arg(perItem ? QString() : QStringLiteral("提成,"));
    return m_db.rows(sql, p);
}

Rows BoardService::orderLines(const QString &orderNumber)
{
    return m_db.rows(QStringLiteral("select * from 产品销售开票 where 单据编号=:单据编号 order by id"),
                     { { QStringLiteral("单据编号"), orderNumber } });
}

Rows BoardService::itemList(const BoardFilter &f, const QDate &businessDay, bool withFilters, bool allColumns)
{
    QString sql = allColumns ? QStringLiteral("select * from 产品销售开票")
                             : QStringLiteral("select id,单据编号,时间,客户编号,手工编码,客户姓名,产品名称,数量,单价,应付货款,送餐日期,"
                                              "送餐时间,配送工,区域,地址,电话,发货备注 from 产品销售开票");
    Params p;
    BoardFilter period = f;
    if (!withFilters)
        period.today = true;
    addPeriod(sql, p, period, businessDay);
    addFilters(sql, p, f, withFilters, withFilters);
    sql += QStringLiteral(" order by 时间, id");
    return m_db.rows(sql, p);
}

TodayCounters BoardService::counters(const QDate &businessDay, const QString &branch)
{
    const QString day = dateText(businessDay);
    const QString branchFilter = branch.isEmpty() ? QString() : QStringLiteral(" and 小区域=:小区域");
    const auto count = [&](const QString &where, Params p) {
        p.set(QStringLiteral("rq"), day);
        if (!branch.isEmpty())
            p.set(QStringLiteral("小区域"), branch);
        return m_db
            .scalar(QStringLiteral("select count(*) from (select 单据编号 from 产品销售开票 where 购物日期=:rq%1%2 "
                                   "group by 单据编号) a")
                        .arg(where, branchFilter),
                    p)
            .toInt();
    };
    TodayCounters c;
    c.orders = count(QString(), {});
    c.dispatched = count(QStringLiteral(" and 发货完毕=:发货完毕"), { { QStringLiteral("发货完毕"), true } });
    c.notDispatched = count(QStringLiteral(" and 发货完毕=:发货完毕"), { { QStringLiteral("发货完毕"), false } });
    c.credit = count(QStringLiteral(" and 收款方式=:收款方式"), { { QStringLiteral("收款方式"), QStringLiteral("签单") } });

    Params p { { QStringLiteral("rq"), day },
               { QStringLiteral("交款完毕"), true },
               { QStringLiteral("收款方式"), QStringLiteral("签单") } };
    if (!branch.isEmpty())
        p.set(QStringLiteral("小区域"), branch);
    const QVariant sum = m_db.scalar(QStringLiteral("select sum(折后金额) as cc from (select 单据编号,折后金额 from 产品销售开票 "
                                                    "where 购物日期=:rq and 交款完毕=:交款完毕 and 收款方式<>:收款方式%1 "
                                                    "group by 单据编号,折后金额) a")
                                         .arg(branchFilter),
                                     p);
    // Whole yuan, halves to the even number.
    const Money total = Money::fromVariant(sum);
    const std::int64_t units = total.units();
    std::int64_t yuan = units / Money::kScale;
    const std::int64_t rest = units % Money::kScale;
    if (rest * 2 > Money::kScale || (rest * 2 == Money::kScale && yuan % 2 != 0))
        ++yuan;
    else if (rest * 2 < -Money::kScale || (rest * 2 == -Money::kScale && yuan % 2 != 0))
        --yuan;
    c.collected = yuan;
    return c;
}

Rows BoardService::salesChart(const QDate &day)
{
    return m_db.rows(QStringLiteral("select 产品名称,sum(数量) as 数量 from 产品销售开票 where 购物日期>=:sj1 and 购物日期<:sj2 "
                                    "group by 产品名称 order by 产品名称"),
                     { { QStringLiteral("sj1"), dateText(day) }, { QStringLiteral("sj2"), dateText(day.addDays(1)) } });
}

bool BoardService::consumeBranchSignal(const QString &branch)
{
    // One statement: of two workstations polling at once, only the one whose delete removed the row reloads.
    return m_db.exec(QStringLiteral("delete from 小区域订单 where 小区域=:小区域"), { { QStringLiteral("小区域"), branch } }) > 0;
}

QString BoardService::countersText(int n, const char *unit)
{
    return QString::number(n) + QStringLiteral("  ") + QString::fromUtf8(unit);
}

} // namespace verdalo
