#include "data/Schema.h"

#include "core/PasswordHash.h"
#include "data/ReleasePatches.h"

namespace verdalo::schema {
namespace {

using K = ColumnKind;

ColumnDef col(const char *name, K kind, int width = 0)
{
    return { QString::fromUtf8(name), kind, width };
}
ColumnDef text(const char *name, int width = 0)
{
    return col(name, K::Text, width);
}
ColumnDef id(const char *name = "id")
{
    return col(name, K::AutoId);
}

TableDef tbl(const char *name, DbRole role, std::vector<ColumnDef> columns)
{
    return { QString::fromUtf8(name), role, std::move(columns) };
}

std::vector<TableDef> buildTables()
{
    const DbRole M = DbRole::Main;
    const DbRole L = DbRole::Local;
    const DbRole P = DbRole::Patch;
    std::vector<TableDef> t;

    // Orders: one row per ordered item; order-level values repeat on every row.
    t.push_back(tbl("产品销售开票", M,
                    { id(), text("单据编号"), col("购物日期", K::Date), col("时间", K::TimeText), text("产品名称"),
                      col("数量", K::Money), col("单价", K::Money), col("应付货款", K::Money),
                      col("实付货款", K::Money), col("折后金额", K::Money), col("抹零金额", K::Money),
                      col("打折", K::Number), col("欠款", K::Money), col("提成", K::Money), text("配送工"),
                      text("客户编号"), text("客户姓名"), text("电话"), text("区域"), text("地址"), text("小区域"),
                      text("手工编码"), text("收款方式"), col("送餐日期", K::Date), col("送餐时间", K::TimeText),
                      text("发货备注"), text("口味"), text("套餐名称"), text("默认菜品"), text("菜品种类"),
                      text("录音文件"), text("读取完毕"), col("发货完毕", K::Boolean), col("交款完毕", K::Boolean),
                      col("已发数量", K::Number), col("发货时间", K::DateTimeText), col("收款时间", K::DateTimeText),
                      col("送货时间", K::Number), text("用户反馈"), text("签单人姓名"), col("签单数", K::Number),
                      col("实付票数", K::Number) }));
    t.push_back(tbl("客户资料", M,
                    { id(), text("客户姓名"), text("联系电话"), text("联系地址"), text("客户类型"), text("客户单位"),
                      text("客户地区"), text("小区域"), text("客户备注"), text("手工编码"), col("家庭人数", K::Number),
                      col("购物次数", K::Integer), col("购物金额", K::Money), col("可用积分", K::Number),
                      col("帐户余额", K::Money), col("最后订菜时间", K::Date), text("信用等级"), text("身份证号"),
                      text("生日") }));
    t.push_back(tbl("多个地址", M, { id(), text("客户编号"), text("客户地址") }));
    t.push_back(tbl("客户类型", M, { id(), text("客户类型"), col("折扣率", K::Number) }));
    t.push_back(tbl("充值记录", M,
                    { id(), text("客户编号"), text("客户姓名"), text("客户类型"), text("客户地区"), text("联系电话"),
                      col("充值前余额", K::Money), col("充值金额", K::Money), col("充值后余额", K::Money),
                      col("充值时间", K::DateTimeText) }));
    t.push_back(tbl("积分兑换商品", M, { id(), text("商品名称"), col("兑换积分", K::Number) }));
    t.push_back(tbl("积分兑换记录", M,
                    { id(), text("客户编号"), text("客户姓名"), col("兑换日期", K::Date), text("兑换礼品"),
                      col("兑换积分", K::Number), text("备注") }));
    t.push_back(tbl("小区域订单", M, { text("小区域") }));
    t.push_back(tbl("删除记录表", M,
                    { id(), text("删除类型"), text("删除内容"), col("删除时间", K::DateTimeText), text("删除人") }));
    {
        std::vector<ColumnDef> c { id(), text("用户"), text("密码"), text("部门"), text("权限") };
        for (int i = 1; i <= 9; ++i)
            c.push_back({ QStringLiteral("right%1").arg(i), K::Text, 0 });
        t.push_back(tbl("登陆", M, std::move(c)));
    }
    t.push_back(tbl("店名", M,
                    { text("店名"), text("电话"), text("网址"), text("服务用语"), text("打印样式"), text("堂食打印样式"),
                      col("打印图片", K::Boolean), col("左边距", K::Integer), col("右边距", K::Integer),
                      col("上边距", K::Integer), text("提成设置"), col("次提成金额", K::Money) }));
    t.push_back(tbl("版本号", M, { text("版本号") }));

    // Catalogue.
    t.push_back(tbl("菜单表", M,
                    { id(), text("食物总类"), text("菜品小类"), text("编号"), text("名称"), col("单价", K::Money),
                      col("备注", K::Memo), text("拼音"), col("排序编号", K::Integer), col("业务员提成", K::Money),
                      col("当前库存", K::Number), text("风味") }));
    t.push_back(tbl("种类", M, { id("编号"), text("种类"), col("排序编号", K::Integer) }));
    t.push_back(tbl("菜品小类", M, { id(), text("种类"), text("小类名称") }));
    t.push_back(tbl("套餐内容", M, { id(), text("套餐名称"), text("菜品名称"), col("数量", K::Number) }));
    t.push_back(tbl("备选菜品", M, { id(), text("套餐名称"), text("默认菜品"), text("备选菜品") }));
    t.push_back(tbl("特价表", M, { id(), text("客户类型"), text("产品名称"), col("特价", K::Money) }));
    t.push_back(tbl("口味", M, { id(), text("口味") }));
    t.push_back(tbl("风味", M, { id(), text("风味") }));

    // Areas, branches, staff, branch stock.
    t.push_back(tbl("区域", M, { id(), text("区域") }));
    t.push_back(tbl("小区域", M, { id(), text("区域"), text("小区域") }));
    t.push_back(tbl("员工列表", M, { id(), text("姓名"), text("电话"), text("所用车辆"), text("所属门店") }));
    t.push_back(tbl("分店库存明细表", M, { id(), text("网点名称"), text("项目名称"), col("当前库存", K::Number) }));

    // Purchasing.
    t.push_back(tbl("采购进货主表", M,
                    { id(), text("货单编号"), text("货单辅助编号"), text("单据类型"), col("填表日期", K::Date),
                      col("应收帐款", K::Money), col("实收帐款", K::Money), text("经手员工"), text("供货商"),
                      text("采购备注") }));
    t.push_back(tbl("采购进货明细表", M,
                    { id(), text("货单编号"), text("项目名称"), col("单位成本", K::Money), col("数量", K::Number),
                      col("金额", K::Money), col("填表日期", K::Date), text("单据类型") }));
    t.push_back(tbl("采购退货明细表", M,
                    { id(), text("货单编号"), text("项目名称"), col("单位成本", K::Money), col("数量", K::Number),
                      col("金额", K::Money), col("填表日期", K::Date) }));
    t.push_back(tbl("采购商品管理", M,
                    { id(), text("名称"), text("类别"), text("单位"), col("单位成本", K::Number),
                      col("当前库存", K::Number), col("库存总额", K::Number) }));
    t.push_back(tbl("采购商品类别", M, { id(), text("类别") }));

    // SMS outbox.
    t.push_back(tbl("fasongneirong", M,
                    { id("zdid"), col("neirong", K::Memo), text("shouji"), text("xingming"), text("fssj"),
                      col("fasongwanbi", K::Boolean), text("zt") }));

    // This workstation's own tables.
    t.push_back(tbl("来电历史记录表", L,
                    { id("编号"), text("电话号码"), col("来电时间", K::DateTimeText), text("客户名称"), text("客户编号"),
                      text("联系地址"), text("处理结果"), text("录音文件") }));
    t.push_back(tbl("刷新频率", L, { col("刷新频率", K::Integer) }));
    t.push_back(tbl("颜色显示", L, { col("需要颜色", K::Boolean) }));
    t.push_back(tbl("串口编号", L, { col("编号", K::Integer) }));
    t.push_back(tbl("来电路数", L, { text("路数") }));
    t.push_back(tbl("录音设备", L, { text("录音设备"), col("路数", K::Integer) }));
    t.push_back(tbl("短信帐户", L, { text("用户名"), text("密码") }));
    t.push_back(tbl("销售临时表", L,
                    { id(), text("产品名称", 50), text("产品编号", 50), col("数量", K::Number), col("单价", K::Money),
                      col("应付货款", K::Money), col("提成", K::Number), text("口味", 50), text("套餐名称", 50),
                      text("默认菜品", 50), text("菜品种类", 50), text("来电时间", 50) }));
    t.push_back(tbl("订单修改临时表", L,
                    { id(), text("单据编号", 50), text("产品名称", 50), col("数量", K::Number), col("单价", K::Money),
                      col("应付货款", K::Money), col("提成", K::Money), text("口味", 50), text("套餐名称", 50),
                      text("默认菜品", 50), text("菜品种类", 50) }));
    for (const char *name : { "采购进货临时表", "采购退货临时表" }) {
        t.push_back(tbl(name, L,
                        { id("编号"), text("货单编号", 50), text("项目编码", 50), text("项目名称", 50),
                          col("单位成本", K::Number), col("数量", K::Number), col("金额", K::Number) }));
    }
    for (const char *name : { "点餐时间统计临时表", "送餐时间统计临时表" })
        t.push_back(tbl(name, L, { id(), text("时间段1"), text("时间段2"), col("数量", K::Integer) }));

    // Schema statements shipped with each release.
    t.push_back(tbl("命令表", P, { id(), col("版本号", K::Integer), text("数据库"), col("sql语句", K::Memo) }));
    return t;
}

IndexDef ix(const char *table, std::initializer_list<const char *> columns, bool unique = false)
{
    IndexDef d { QString::fromUtf8(table), {}, unique };
    for (const char *c : columns)
        d.columns.append(QString::fromUtf8(c));
    return d;
}

std::vector<IndexDef> buildIndexes()
{
    return {
        // Order lookups: by number, by business day (board, reports), a customer's latest order, by store.
        ix("产品销售开票", { "单据编号" }),
        ix("产品销售开票", { "购物日期", "小区域" }),
        ix("产品销售开票", { "客户编号", "id" }),
        ix("产品销售开票", { "电话" }),
        // Customers: caller lookup by phone, card number.
        ix("客户资料", { "联系电话" }),
        ix("客户资料", { "手工编码" }),
        ix("客户资料", { "客户姓名" }),
        ix("多个地址", { "客户编号" }),
        ix("客户类型", { "客户类型" }, true),
        ix("菜单表", { "名称" }),
        ix("菜单表", { "排序编号" }),
        ix("菜单表", { "食物总类", "菜品小类" }),
        ix("套餐内容", { "套餐名称" }),
        ix("备选菜品", { "套餐名称", "默认菜品" }),
        ix("特价表", { "客户类型", "产品名称" }, true),
        ix("小区域", { "区域", "小区域" }, true),
        // At most one pending refresh signal per store; one stock row per store and item.
        ix("小区域订单", { "小区域" }, true),
        ix("分店库存明细表", { "网点名称", "项目名称" }, true),
        ix("采购进货主表", { "货单编号" }),
        ix("采购进货明细表", { "货单编号" }),
        ix("采购退货明细表", { "货单编号" }),
        ix("fasongneirong", { "fasongwanbi" }),
        ix("来电历史记录表", { "来电时间" }),
        ix("销售临时表", { "来电时间" }),
        ix("订单修改临时表", { "单据编号" }),
    };
}

// The table whose presence says a database of that role has been set up.
QString keyTable(DbRole role)
{
    switch (role) {
    case DbRole::Main:
        return QStringLiteral("版本号");
    case DbRole::Local:
        return QStringLiteral("刷新频率");
    case DbRole::Patch:
        return QStringLiteral("命令表");
    }
    return {};
}

QString indexName(const IndexDef &d)
{
    return QStringLiteral("ix_%1_%2").arg(d.table, d.columns.join(QLatin1Char('_')));
}

bool isEmpty(Db &db, const QString &table)
{
    return db.scalar(QStringLiteral("select count(*) from %1").arg(table)).toLongLong() == 0;
}

void seedMain(Db &db)
{
    if (isEmpty(db, QStringLiteral("店名"))) {
        db.exec(QStringLiteral("insert into 店名 (店名, 电话, 网址, 服务用语, 打印样式, 堂食打印样式, 打印图片, "
                               "左边距, 右边距, 上边距, 提成设置, 次提成金额) values (:店名, '', '', :服务用语, "
                               "'普通样式', '普通样式', :打印图片, 0, 0, 0, '菜品', 0)"),
                { { QStringLiteral("店名"), QStringLiteral("本店") },
                  { QStringLiteral("服务用语"), QStringLiteral("谢谢惠顾，欢迎再次订购！") },
                  { QStringLiteral("打印图片"), false } });
    }
    if (isEmpty(db, QStringLiteral("版本号"))) {
        db.exec(QStringLiteral("insert into 版本号 (版本号) values (:版本号)"),
                { { QStringLiteral("版本号"), kBaseVersion } });
    }
    const QVariant admins = db.scalar(QStringLiteral("select count(*) from 登陆 where 权限 = :权限"),
                                      { { QStringLiteral("权限"), kAdminRole } });
    if (admins.toLongLong() == 0) {
        Params p { { QStringLiteral("用户"), kAdminName },
                   { QStringLiteral("密码"), password::hash(kAdminPassword) },
                   { QStringLiteral("部门"), kHeadOffice },
                   { QStringLiteral("权限"), kAdminRole } };
        QString names;
        QString values;
        for (int i = 1; i <= 9; ++i) {
            names += QStringLiteral(", right%1").arg(i);
            values += QStringLiteral(", :r%1").arg(i);
            p.set(QStringLiteral("r%1").arg(i), kAllRights);
        }
        db.exec(QStringLiteral("insert into 登陆 (用户, 密码, 部门, 权限%1) values (:用户, :密码, :部门, :权限%2)")
                    .arg(names, values),
                p);
    }
}

void seedLocal(Db &db)
{
    if (isEmpty(db, QStringLiteral("刷新频率")))
        db.exec(QStringLiteral("insert into 刷新频率 (刷新频率) values (30)"));
    if (isEmpty(db, QStringLiteral("颜色显示")))
        db.exec(QStringLiteral("insert into 颜色显示 (需要颜色) values (:需要颜色)"),
                { { QStringLiteral("需要颜色"), true } });
    if (isEmpty(db, QStringLiteral("串口编号")))
        db.exec(QStringLiteral("insert into 串口编号 (编号) values (0)"));
    if (isEmpty(db, QStringLiteral("来电路数")))
        db.exec(QStringLiteral("insert into 来电路数 (路数) values ('一路')"));
    if (isEmpty(db, QStringLiteral("录音设备")))
        db.exec(QStringLiteral("insert into 录音设备 (录音设备, 路数) values ('', 1)"));
    // One slot per hour of the day, in the time format of the order rows.
    for (const char *table : { "点餐时间统计临时表", "送餐时间统计临时表" }) {
        const QString name = QString::fromUtf8(table);
        if (!isEmpty(db, name))
            continue;
        for (int h = 0; h < 24; ++h) {
            db.exec(QStringLiteral("insert into %1 (时间段1, 时间段2, 数量) values (:起, :止, 0)").arg(name),
                    { { QStringLiteral("起"), QStringLiteral("%1:00:00").arg(h, 2, 10, QLatin1Char('0')) },
                      { QStringLiteral("止"), QStringLiteral("%1:59:59").arg(h, 2, 10, QLatin1Char('0')) } });
        }
    }
}

void seedPatch(Db &db)
{
    if (!isEmpty(db, QStringLiteral("命令表")))
        return;
    for (const PatchStatement &p : releasePatches()) {
        db.exec(QStringLiteral("insert into 命令表 (版本号, 数据库, sql语句) values (:版本号, :数据库, :语句)"),
                { { QStringLiteral("版本号"), p.version },
                  { QStringLiteral("数据库"), p.backend },
                  { QStringLiteral("语句"), p.sql } });
    }
}

} // namespace

const std::vector<TableDef> &tables()
{
    static const std::vector<TableDef> all = buildTables();
    return all;
}

const std::vector<IndexDef> &indexes()
{
    static const std::vector<IndexDef> all = buildIndexes();
    return all;
}

const TableDef *table(const QString &name)
{
    for (const TableDef &t : tables()) {
        if (t.name == name)
            return &t;
    }
    return nullptr;
}

QString createTableSql(const TableDef &t, const Dialect &d)
{
    QStringList cols;
    for (const ColumnDef &c : t.columns)
        cols.append(c.name + QLatin1Char(' ') + d.columnType(c.kind, c.width));
    return QStringLiteral("create table if not exists %1 (%2)").arg(t.name, cols.join(QStringLiteral(", ")));
}

bool isCreated(Db &db, DbRole role)
{
    return db.tableExists(keyTable(role));
}

QStringList missingTables(Db &db, DbRole role)
{
    const QStringList present = db.tableNames();
    QStringList missing;
    for (const TableDef &t : tables()) {
        if (t.role == role && !present.contains(t.name))
            missing.append(t.name);
    }
    return missing;
}

void create(Db &db, DbRole role)
{
    Transaction tx(db);
    for (const TableDef &t : tables()) {
        if (t.role == role)
            db.exec(createTableSql(t, db.dialect()));
    }
    for (const IndexDef &i : indexes()) {
        const TableDef *t = table(i.table);
        if (!t || t->role != role)
            continue;
        db.exec(QStringLiteral("create %1index if not exists %2 on %3 (%4)")
                    .arg(i.unique ? QStringLiteral("unique ") : QString(), indexName(i), i.table,
                         i.columns.join(QStringLiteral(", "))));
    }
    switch (role) {
    case DbRole::Main:
        seedMain(db);
        break;
    case DbRole::Local:
        seedLocal(db);
        break;
    case DbRole::Patch:
        seedPatch(db);
        break;
    }
    tx.commit();
}

} // namespace verdalo::schema
