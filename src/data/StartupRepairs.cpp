#include "data/StartupRepairs.h"

namespace verdalo {
namespace {

struct ColumnType
{
    QString dataType;
    int scale = -1;
};

std::optional<ColumnType> columnType(Db &db, const QString &table, const QString &column)
{
    const auto row = db.first(QStringLiteral("SELECT column_name, data_type, character_maximum_length, numeric_scale "
                                             "FROM information_schema.columns WHERE (table_schema = current_schema()) "
                                             "AND (table_name = :表名) AND (column_name = :字段名)"),
                              { { QStringLiteral("表名"), table }, { QStringLiteral("字段名"), column } });
    if (!row)
        return std::nullopt;
    return ColumnType { row->text(QStringLiteral("data_type")),
                        row->isNull(QStringLiteral("numeric_scale")) ? -1 : row->toInt(QStringLiteral("numeric_scale")) };
}

bool isTextType(const std::optional<ColumnType> &t)
{
    return t && (t->dataType == QLatin1String("character varying") || t->dataType == QLatin1String("text")
                 || t->dataType == QLatin1String("character"));
}

bool isMoneyType(const std::optional<ColumnType> &t)
{
    return !t || (t->dataType == QLatin1String("numeric") && t->scale == 4);
}

// Changes a column's type under an exclusive lock, checking again once the lock is held: two workstations
// logging in at the same moment must not both convert the column.
template<typename NeedsChange>
void alterColumn(Db &db, const QString &table, const QString &column, NeedsChange needsChange, const QString &alter)
{
    if (!needsChange(columnType(db, table, column)))
        return;
    Transaction tx(db);
    db.exec(QStringLiteral("lock table %1 in access exclusive mode").arg(table));
    if (needsChange(columnType(db, table, column)))
        db.exec(alter);
    tx.commit();
}

} // namespace

void RunStartupRepairs(Db &db)
{
    if (db.isPostgres()) {
        // Dates kept as text by older databases become real dates.
        const std::pair<const char *, const char *> dateColumns[] = {
            { "产品销售开票", "购物日期" },
            { "采购进货主表", "填表日期" },
            { "采购进货明细表", "填表日期" },
            { "采购退货明细表", "填表日期" },
        };
        for (const auto &[t, c] : dateColumns) {
            const QString table = QString::fromUtf8(t);
            const QString column = QString::fromUtf8(c);
            alterColumn(db, table, column, isTextType,
                        QStringLiteral("ALTER TABLE %1 ALTER COLUMN %2 TYPE date USING nullif(trim(%2), '')::date")
                            .arg(table, column));
        }
        // Quantities may be fractional.
        alterColumn(db, QStringLiteral("产品销售开票"), QStringLiteral("数量"),
                    [](const std::optional<ColumnType> &t) { return !isMoneyType(t); },
                    QStringLiteral("ALTER TABLE 产品销售开票 ALTER COLUMN 数量 TYPE numeric(19,4)"));
    }
    // The embedded file keeps a fractional quantity even in a column declared as integer (it stores the value
    // with the type it has), so it needs no conversion.

    const char *fills[] = {
        "update 菜单表 set 排序编号=id where 排序编号 is null",
        "update 种类 set 排序编号=编号 where 排序编号 is null",
        "update 客户资料 set 可用积分=0 where 可用积分 is null",
        "update 客户资料 set 购物次数=0 where 购物次数 is null",
        "update 客户资料 set 购物金额=0 where 购物金额 is null",
        "update 客户类型 set 折扣率=10 where 折扣率 is null",
        "update 菜单表 set 当前库存=0 where 当前库存 is null",
    };
    for (const char *sql : fills)
        db.exec(QString::fromUtf8(sql));
}

} // namespace verdalo
