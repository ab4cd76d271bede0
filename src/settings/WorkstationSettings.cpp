#include "settings/WorkstationSettings.h"

#include "core/IniFile.h"

namespace verdalo {
namespace cysz {
namespace {
const QString kKey = QStringLiteral("类型");
}

const QList<Key> &keys()
{
    static const QList<Key> all = {
        { QStringLiteral("开单后打印"), QStringLiteral("打印预览") },
        { QStringLiteral("图标显示"), QStringLiteral("大图标") },
        { QStringLiteral("开启钱箱"), QStringLiteral("否") },
        { QStringLiteral("钱箱端口"), QStringLiteral("LPT1") },
        { QStringLiteral("默认自定义打印报表样式"), QStringLiteral("样式一") },
        { QStringLiteral("默认自定义堂食打印报表样式"), QStringLiteral("样式一") },
        { QStringLiteral("后厨打印机"), QString() },
        { QStringLiteral("B小票是否打印"), QStringLiteral("否") },
        { QStringLiteral("C小票是否打印"), QStringLiteral("否") },
        { QStringLiteral("B小票打印机"), QString() },
        { QStringLiteral("C小票打印机"), QString() },
        { QStringLiteral("营业延长时间"), QStringLiteral("0") },
        { QStringLiteral("计算精度"), QStringLiteral("角分") },
        { QStringLiteral("默认送餐分钟"), QStringLiteral("30") },
        { QStringLiteral("负库存开单提示"), QStringLiteral("是") },
        { QStringLiteral("库存显示"), QStringLiteral("统一") },
        { QStringLiteral("未订货提醒天数"), QStringLiteral("30") },
        { QStringLiteral("公司简称"), vendor::kShortName },
        { QStringLiteral("QQ"), vendor::kQq },
        { QStringLiteral("EMAIL"), vendor::kEmail },
        { QStringLiteral("网站"), vendor::kWebsite },
        { QStringLiteral("电话"), vendor::kPhone },
        { QStringLiteral("公司全称"), vendor::kFullName },
    };
    return all;
}

bool load(const QString &path, Settings &settings, QString *error)
{
    IniFile ini(path);
    const bool ok = ini.load();
    if (!ok && error)
        *error = ini.errorString();
    for (const Key &k : keys()) {
        const QString v = ini.value(k.section, kKey);
        settings.values.insert(k.section, v == IniFile::kMissing ? k.builtIn : v);
    }
    // The rounding starts as "角分" at each login and takes the setting's value.
    settings.rounding = settings.values.value(QStringLiteral("计算精度"));
    return ok;
}

bool write(const QString &path, const QList<QPair<QString, QString>> &values, QString *error)
{
    IniFile ini(path);
    if (!ini.load()) {
        if (error)
            *error = ini.errorString();
        return false;
    }
    for (const auto &[section, value] : values)
        ini.setValue(section, kKey, value);
    if (!ini.save()) {
        if (error)
            *error = ini.errorString();
        return false;
    }
    return true;
}

} // namespace cysz

ShopSettings ShopSettings::load(Db &main)
{
    ShopSettings s;
    const auto r = main.first(QStringLiteral("select * from 店名"));
    if (!r)
        return s;
    s.name = r->text(QStringLiteral("店名"));
    s.phone = r->text(QStringLiteral("电话"));
    s.website = r->text(QStringLiteral("网址"));
    s.courtesyLine = r->text(QStringLiteral("服务用语"));
    s.printStyle = r->text(QStringLiteral("打印样式"));
    s.dineInPrintStyle = r->text(QStringLiteral("堂食打印样式"));
    s.printLogo = r->toBool(QStringLiteral("打印图片"));
    s.leftMargin = r->toInt(QStringLiteral("左边距"));
    s.rightMargin = r->toInt(QStringLiteral("右边距"));
    s.topMargin = r->toInt(QStringLiteral("上边距"));
    s.commissionMode = r->text(QStringLiteral("提成设置"));
    s.commissionPerOrder = r->money(QStringLiteral("次提成金额"));
    return s;
}

void ShopSettings::save(Db &main) const
{
    const Params p { { QStringLiteral("店名"), name },
                     { QStringLiteral("电话"), phone },
                     { QStringLiteral("网址"), website },
                     { QStringLiteral("服务用语"), courtesyLine },
                     { QStringLiteral("打印样式"), printStyle },
                     { QStringLiteral("堂食打印样式"), dineInPrintStyle },
                     { QStringLiteral("打印图片"), printLogo },
                     { QStringLiteral("左边距"), leftMargin },
                     { QStringLiteral("右边距"), rightMargin },
                     { QStringLiteral("上边距"), topMargin },
                     { QStringLiteral("提成设置"), commissionMode },
                     { QStringLiteral("次提成金额"), commissionPerOrder.toVariant() } };
    Transaction tx(main);
    const int changed = main.exec(QStringLiteral("update 店名 set 店名=:店名, 电话=:电话, 网址=:网址, 服务用语=:服务用语, "
                                                 "打印样式=:打印样式, 堂食打印样式=:堂食打印样式, 打印图片=:打印图片, "
                                                 "左边距=:左边距, 右边距=:右边距, 上边距=:上边距, 提成设置=:提成设置, "
                                                 "次提成金额=:次提成金额"),
                                  p);
    if (changed == 0) {
        main.exec(QStringLiteral("insert into 店名 (店名, 电话, 网址, 服务用语, 打印样式, 堂食打印样式, 打印图片, 左边距, "
                                 "右边距, 上边距, 提成设置, 次提成金额) values (:店名, :电话, :网址, :服务用语, :打印样式, "
                                 ":堂食打印样式, :打印图片, :左边距, :右边距, :上边距, :提成设置, :次提成金额)"),
                  p);
    }
    tx.commit();
}

int readRefreshSeconds(Db &local)
{
    const auto r = local.first(QStringLiteral("select * from 刷新频率"));
    return r ? r->toInt(QStringLiteral("刷新频率")) : 0;
}

void writeRefreshSeconds(Db &local, int seconds)
{
    Transaction tx(local);
    if (local.exec(QStringLiteral("update 刷新频率 set 刷新频率=:刷新频率"), { { QStringLiteral("刷新频率"), seconds } }) == 0)
        local.exec(QStringLiteral("insert into 刷新频率 (刷新频率) values (:刷新频率)"),
                   { { QStringLiteral("刷新频率"), seconds } });
    tx.commit();
}

QString saveSettingsWindow(Db &main, const ShopSettings &shop, const QString &cyszPath,
                           const QList<QPair<QString, QString>> &values)
{
    try {
        Transaction tx(main);
        shop.save(main);
        QString error;
        if (!cysz::write(cyszPath, values, &error))
            return QStringLiteral("无法保存设置文件 cysz.ini：%1").arg(error);
        tx.commit();
    } catch (const DbError &e) {
        return e.message();
    }
    return {};
}

void loadSettings(Db &main, const QString &cyszPath, Settings &settings, QString *iniError)
{
    const ShopSettings shop = ShopSettings::load(main);
    settings.commissionMode = shop.commissionMode;
    settings.commissionPerOrder = shop.commissionPerOrder;
    cysz::load(cyszPath, settings, iniError);
}

} // namespace verdalo
