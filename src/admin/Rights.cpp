#include "admin/Rights.h"

#include <stdexcept>

namespace verdalo {
namespace {

std::vector<RightsGroup> buildGroups()
{
    auto group = [](int string, const char *title, std::initializer_list<std::pair<Right, const char *>> items,
                    std::initializer_list<int> strictPositions) {
        RightsGroup g { string, QString::fromUtf8(title), {} };
        int pos = 0;
        for (const auto &[right, name] : items) {
            ++pos;
            bool strict = false;
            for (int s : strictPositions)
                strict = strict || s == pos;
            g.rights.push_back({ right, string, pos, QString::fromUtf8(name), strict });
        }
        return g;
    };
    using R = Right;
    return {
        group(1, "基础数据",
              { { R::ItemManagement, "菜单管理" }, { R::CustomerManagement, "客户管理" },
                { R::StaffManagement, "配送员管理" }, { R::CustomerTypes, "客户类型设置" },
                { R::CustomerAreas, "客户区域设置" }, { R::ItemCategories, "菜品种类设置" },
                { R::SpecialRequests, "特殊要求设置" }, { R::ViewCustomerInfo, "查看客户信息" } },
              { 8 }),
        group(2, "业务管理",
              { { R::TakeOrders, "销售开单" }, { R::Dispatch, "发货" }, { R::Collect, "收款" },
                { R::SignForCredit, "签单" }, { R::DeleteOrder, "删除订货单" }, { R::ReturnGoods, "退货" },
                { R::Refund, "退款" }, { R::ModifyOrder, "修改订货单" }, { R::OrderDiscount, "订单打折" },
                { R::Points, "积分管理" }, { R::SendSms, "短信发送" }, { R::StockIn, "成品入库" },
                { R::StockOut, "成品出库" } },
              { 12, 13 }),
        group(3, "查询统计",
              { { R::OrderSalesQuery, "订单销售查询" }, { R::ItemSalesSummary, "菜品销售汇总查询" },
                { R::CreditQuery, "签单查询" }, { R::CommissionQuery, "提成查询" },
                { R::CustomerSpending, "客户消费查询" }, { R::OrderTimeStats, "点单时间统计" },
                { R::DeliveryTimeStats, "送餐时间统计" }, { R::TopUpQuery, "订单删除查询" },
                { R::CallHistory, "历史来电查询" }, { R::StockInQuery, "成品入库查询" },
                { R::StockOutQuery, "成品出库查询" } },
              { 9, 10, 11 }),
        group(4, "系统设置",
              { { R::SystemSettings, "系统设置" }, { R::OperatorRights, "权限管理" }, { R::ChangePassword, "修改密码" },
                { R::Backup, "数据备份" }, { R::Restore, "数据还原" }, { R::Initialise, "数据初始化" } },
              {}),
        RightsGroup { 5, QStringLiteral("帮助"), {} },
    };
}

} // namespace

const std::vector<RightsGroup> &Rights::groups()
{
    static const std::vector<RightsGroup> all = buildGroups();
    return all;
}

const RightDef &Rights::definition(Right r)
{
    for (const RightsGroup &g : groups()) {
        for (const RightDef &d : g.rights) {
            if (d.right == r)
                return d;
        }
    }
    throw std::logic_error("unknown right");
}

bool Rights::granted(const QString &string, int position, bool strict)
{
    if (position < 1 || position > string.size())
        return false;
    const QChar c = string[position - 1];
    return strict ? c == QLatin1Char('1') : c != QLatin1Char('0');
}

bool Rights::granted(Right r) const
{
    const RightDef &d = definition(r);
    return granted(m_strings[static_cast<size_t>(d.string - 1)], d.position, d.strict);
}

QString Rights::groupString(const std::vector<bool> &checked)
{
    QString s;
    for (bool c : checked)
        s += c ? QLatin1Char('1') : QLatin1Char('0');
    return s;
}

std::vector<bool> Rights::groupChecks(const RightsGroup &group, const QString &string)
{
    std::vector<bool> out;
    for (const RightDef &d : group.rights)
        out.push_back(d.position <= string.size() && string[d.position - 1] == QLatin1Char('1'));
    return out;
}

} // namespace verdalo
