#include "orders/OrderSaver.h"

#include "core/BusinessDate.h"

namespace verdalo {
namespace {

const QString kNoCustomer = QStringLiteral("无");

} // namespace

QString OrderSaver::nextOrderNumber(const QDate &businessDay)
{
    const QString prefix = compactDateText(businessDay);
    // Serialise the draw among workstations: the lock is held until the save's transaction ends.
    if (m_db.isPostgres())
        m_db.exec(QStringLiteral("select pg_advisory_xact_lock(7301, 1)"));
    // The largest sequence of the day as a number, so that 10000 follows 9999.
    const QVariant last = m_db.scalar(
        QStringLiteral("select max(cast(substr(单据编号, 9) as integer)) from 产品销售开票 where 购物日期=:gwrq "
                       "and 单据编号 like :prefix"),
        { { QStringLiteral("gwrq"), dateText(businessDay) }, { QStringLiteral("prefix"), prefix + QLatin1Char('%') } });
    const qlonglong next = last.isNull() ? 1 : last.toLongLong() + 1;
    return prefix + QStringLiteral("%1").arg(next, 4, 10, QLatin1Char('0'));
}

SaveResult OrderSaver::save(const OrderForm &f, const std::vector<CartLine> &lines,
                            const std::function<MergeAnswer()> &askMerge)
{
    SaveResult r;
    Money je;
    if (!Money::parse(f.discountedText, &je)) {
        r.message = QStringLiteral("折后金额不是有效的数字！！");
        return r;
    }
    Money accountPayment;
    if (f.payment == QStringLiteral("帐户支付")) {
        if (f.customerNumber == kNoCustomer || f.customerNumber.isEmpty()) {
            r.message = QStringLiteral("未注册用户不能使用帐户支付");
            return r;
        }
        if (f.balance < je) {
            r.message = QStringLiteral("帐户余额不足！！");
            return r;
        }
        accountPayment = je;
    }
    if (lines.empty()) {
        r.message = QStringLiteral("购物车不能空！！");
        return r;
    }
    if (f.phone.trimmed().isEmpty()) {
        r.message = QStringLiteral("客户电话不能空！！");
        return r;
    }
    const QString household = f.household.trimmed().isEmpty() ? QStringLiteral("0") : f.household.trimmed();
    bool householdOk = false;
    const double householdValue = household.toDouble(&householdOk);
    if (!householdOk) {
        r.message = QStringLiteral("家庭人数必须是数字！！");
        return r;
    }

    const QDateTime now = m_clock.now();
    const QDate day = businessDate(now, m_settings.extensionHours);
    r.businessDate = dateText(day);
    const Params amounts { { QStringLiteral("je"), je.toVariant() },
                           { QStringLiteral("本次消费"), accountPayment.toVariant() },
                           { QStringLiteral("可用积分"), accountPayment.toDouble() } };
    try {
        // The merge question comes before anything is written, so the answer never waits on an open transaction.
        std::optional<Row> sameCustomer;
        MergeAnswer answer = MergeAnswer::CreateNew;
        if (f.customerNumber == kNoCustomer || f.customerNumber.isEmpty()) {
            sameCustomer = m_db.first(QStringLiteral("select * from 客户资料 where 客户姓名=:客户姓名 and 联系地址=:联系地址 order by id"),
                                      { { QStringLiteral("客户姓名"), f.name }, { QStringLiteral("联系地址"), f.address } });
            if (sameCustomer) {
                answer = askMerge ? askMerge() : MergeAnswer::Cancel;
                if (answer == MergeAnswer::Cancel) {
                    r.cancelled = true;
                    return r;
                }
            }
        }

        Transaction tx(m_db);
        r.orderNumber = nextOrderNumber(day);
        QString customer = f.customerNumber;
        if (customer != kNoCustomer && !customer.isEmpty()) {
            Params p = amounts;
            p.set(QStringLiteral("客户备注"), f.customerNote);
            p.set(QStringLiteral("家庭人数"), householdValue);
            p.set(QStringLiteral("id"), customer.toLongLong());
            m_db.exec(QStringLiteral("update 客户资料 set 购物次数=购物次数+1,购物金额=购物金额+:je,帐户余额=帐户余额-:本次消费,"
                                     "可用积分=可用积分+:可用积分,客户备注=:客户备注,家庭人数=:家庭人数 where id=:id"),
                      p);
            if (f.addressChange == OrderForm::AddressChange::ChangeDefault) {
                m_db.exec(QStringLiteral("update 客户资料 set 联系地址=:联系地址 where id=:id"),
                          { { QStringLiteral("联系地址"), f.address }, { QStringLiteral("id"), customer.toLongLong() } });
            } else if (f.addressChange == OrderForm::AddressChange::AddAddress) {
                m_db.exec(QStringLiteral("insert into 多个地址 (客户编号,客户地址) values (:客户编号,:客户地址)"),
                          { { QStringLiteral("客户编号"), customer }, { QStringLiteral("客户地址"), f.address } });
            }
        } else if (sameCustomer && answer == MergeAnswer::Merge) {
            customer = QString::number(sameCustomer->toLongLong(QStringLiteral("id")));
            Params p = amounts;
            p.set(QStringLiteral("联系电话"), sameCustomer->text(QStringLiteral("联系电话")) + QLatin1Char(',') + f.phone);
            p.set(QStringLiteral("联系地址"), f.address);
            p.set(QStringLiteral("id"), customer.toLongLong());
            m_db.exec(QStringLiteral("update 客户资料 set 联系电话=:联系电话,联系地址=:联系地址,购物次数=购物次数+1,购物金额=购物金额+:je,"
                                     "帐户余额=帐户余额-:本次消费,可用积分=可用积分+:可用积分 where id=:id"),
                      p);
        } else {
            // A new customer; the number comes from the insert itself.
            const bool fromMergeQuestion = sameCustomer.has_value();
            const bool counted = !f.manual && !fromMergeQuestion;
            Params p { { QStringLiteral("客户姓名"), f.name },
                       { QStringLiteral("联系电话"), f.phone },
                       { QStringLiteral("联系地址"), f.address },
                       { QStringLiteral("客户类型"), f.customerType },
                       { QStringLiteral("客户单位"), f.company },
                       { QStringLiteral("客户地区"), f.area },
                       { QStringLiteral("小区域"), f.store },
                       { QStringLiteral("客户备注"), f.customerNote },
                       { QStringLiteral("购物次数"), counted ? 1 : 0 },
                       { QStringLiteral("购物金额"), counted ? je.toVariant() : QVariant(0) },
                       { QStringLiteral("可用积分"), accountPayment.toDouble() },
                       { QStringLiteral("帐户余额"), 0 },
                       { QStringLiteral("手工编码"), f.cardNumber },
                       { QStringLiteral("家庭人数"), householdValue },
                       { QStringLiteral("信用等级"), QStringLiteral("中") } };
            customer = QString::number(
                m_db.scalar(QStringLiteral("insert into 客户资料 (客户姓名,联系电话,联系地址,客户类型,客户单位,客户地区,小区域,客户备注,"
                                           "购物次数,购物金额,可用积分,帐户余额,手工编码,家庭人数,信用等级) values (:客户姓名,"
                                           ":联系电话,:联系地址,:客户类型,:客户单位,:客户地区,:小区域,:客户备注,:购物次数,"
                                           ":购物金额,:可用积分,:帐户余额,:手工编码,:家庭人数,:信用等级) returning id"),
                            p)
                    .toLongLong());
        }
        r.customerNumber = customer;

        // One row per cart line; stock taken out line by line.
        const QString time = timeText(now.time());
        const bool perItem = m_settings.commissionMode == QStringLiteral("菜品");
        const bool paid = f.payment == QStringLiteral("帐户支付") || (f.manual && f.paid);
        QString summary = f.name + QLatin1Char('/') + f.phone + QLatin1Char('/') + f.address + QLatin1Char('[');
        for (const CartLine &l : lines) {
            summary += l.name + QString::number(l.quantity) + QStringLiteral("份");
            m_db.exec(QStringLiteral("insert into 产品销售开票 (单据编号,购物日期,产品名称,数量,应付货款,配送工,客户编号,提成,欠款,区域,"
                                     "地址,电话,时间,收款方式,客户姓名,送餐日期,送餐时间,发货备注,单价,口味,发货完毕,交款完毕,小区域,"
                                     "套餐名称,默认菜品,录音文件,读取完毕,菜品种类,折后金额,抹零金额,打折,手工编码) values (:djbh,"
                                     ":gwrq,:cpmc,:sl,:je,:psg,:kebh,:提成,:qk,:区域,:地址,:电话,:时间,:收款方式,:客户姓名,"
                                     ":送餐日期,:送餐时间,:发货备注,:单价,:口味,:发货完毕,:交款完毕,:小区域,:套餐名称,:默认菜品,"
                                     ":录音文件,:读取完毕,:菜品种类,:折后金额,:抹零金额,:打折,:手工编码)"),
                      { { QStringLiteral("djbh"), r.orderNumber },
                        { QStringLiteral("gwrq"), r.businessDate },
                        { QStringLiteral("cpmc"), l.name },
                        { QStringLiteral("sl"), l.quantity },
                        { QStringLiteral("je"), l.amount.toVariant() },
                        { QStringLiteral("psg"), f.worker },
                        { QStringLiteral("kebh"), customer },
                        { QStringLiteral("提成"), perItem ? QVariant(l.commission) : m_settings.commissionPerOrder.toVariant() },
                        { QStringLiteral("qk"), l.amount.toVariant() },
                        { QStringLiteral("区域"), f.area },
                        { QStringLiteral("地址"), f.address },
                        { QStringLiteral("电话"), f.phone },
                        { QStringLiteral("时间"), time },
                        { QStringLiteral("收款方式"), f.payment },
                        { QStringLiteral("客户姓名"), f.name },
                        { QStringLiteral("送餐日期"), f.deliveryDate.isEmpty() ? QVariant() : QVariant(f.deliveryDate) },
                        { QStringLiteral("送餐时间"), f.deliveryTime },
                        { QStringLiteral("发货备注"), f.deliveryNote },
                        { QStringLiteral("单价"), l.price.toVariant() },
                        { QStringLiteral("口味"), l.taste },
                        { QStringLiteral("发货完毕"), f.manual && f.dispatched },
                        { QStringLiteral("交款完毕"), paid },
                        { QStringLiteral("小区域"), f.store },
                        { QStringLiteral("套餐名称"), l.setName },
                        { QStringLiteral("默认菜品"), l.defaultItem },
                        { QStringLiteral("录音文件"), f.manual ? QString() : f.recordingFile },
                        { QStringLiteral("读取完毕"), QStringLiteral("新增") },
                        { QStringLiteral("菜品种类"), l.category },
                        { QStringLiteral("折后金额"), je.toVariant() },
                        { QStringLiteral("抹零金额"), Money::fromVariant(f.roundingText.trimmed().isEmpty() ? QStringLiteral("0") : f.roundingText.trimmed()).toVariant() },
                        { QStringLiteral("打折"), (f.discountText.trimmed().isEmpty() ? QStringLiteral("10") : f.discountText.trimmed()).toDouble() },
                        { QStringLiteral("手工编码"), f.cardNumber } });
            // Stock goes down by the quantity in one statement (no lost decrement); a missing row is created.
            if (m_settings.branchStock) {
                const Params p { { QStringLiteral("数量"), l.quantity },
                                 { QStringLiteral("余量"), -l.quantity },
                                 { QStringLiteral("项目名称"), l.name },
                                 { QStringLiteral("网点名称"), f.store } };
                if (m_db.exec(QStringLiteral("update 分店库存明细表 set 当前库存=当前库存-:数量 where 项目名称=:项目名称 and "
                                             "网点名称=:网点名称"),
                              p)
                    == 0)
                    m_db.exec(QStringLiteral("insert into 分店库存明细表 (网点名称,项目名称,当前库存) values (:网点名称,:项目名称,:余量)"),
                              p);
            } else {
                const Params p { { QStringLiteral("数量"), l.quantity },
                                 { QStringLiteral("余量"), -l.quantity },
                                 { QStringLiteral("名称"), l.name } };
                if (m_db.exec(QStringLiteral("update 菜单表 set 当前库存=当前库存-:数量 where 名称=:名称"), p) == 0)
                    m_db.exec(QStringLiteral("insert into 菜单表 (名称,当前库存) values (:名称,:余量)"), p);
            }
        }
        m_db.exec(QStringLiteral("update 客户资料 set 最后订菜时间=:最后订菜时间 where id=:id"),
                  { { QStringLiteral("最后订菜时间"), dateText(now.date()) }, { QStringLiteral("id"), customer.toLongLong() } });
        summary += QStringLiteral("]总计:") + shortMoney(je) + QStringLiteral("元");
        r.summary = summary;

        if (f.smsWorker) {
            if (const auto w = m_db.first(QStringLiteral("select * from 员工列表 where 姓名=:姓名"), { { QStringLiteral("姓名"), f.worker } })) {
                m_db.exec(QStringLiteral("insert into fasongneirong (neirong,shouji,xingming,fssj,fasongwanbi) values "
                                         "(:neirong,:shouji,:xingming,:fssj,:fasongwanbi)"),
                          { { QStringLiteral("neirong"), summary },
                            { QStringLiteral("shouji"), w->text(QStringLiteral("电话")) },
                            { QStringLiteral("xingming"), f.worker },
                            { QStringLiteral("fssj"), QString() },
                            { QStringLiteral("fasongwanbi"), false } });
            }
        }
        // One pending refresh signal per store.
        m_db.exec(QStringLiteral("insert into 小区域订单 (小区域) values (:小区域) on conflict do nothing"),
                  { { QStringLiteral("小区域"), f.store } });
        tx.commit();
        r.saved = true;
    } catch (const DbError &e) {
        r.saved = false;
        r.message = e.message();
        r.orderNumber.clear();
    }
    return r;
}

} // namespace verdalo
