#include "data/SchemaUpgrade.h"

#include "core/Money.h"

namespace verdalo {
namespace {

QString withoutDots(const QVariant &v)
{
    // A numeric column may hand back 3.0 for 3.
    QString s = v.typeId() == QMetaType::Double ? shortDecimal(v.toDouble()) : v.toString();
    return s.remove(QLatin1Char('.')).trimmed();
}

// Versions are compared as numbers. A version that is not a number is passed on as text; an empty current
// version (a database that never went through an upgrade) is below every release.
QVariant asVersion(const QString &text)
{
    if (text.isEmpty())
        return 0LL;
    bool ok = false;
    const qlonglong n = text.toLongLong(&ok);
    return ok ? QVariant(n) : QVariant(text);
}

} // namespace

UpgradeResult upgradeSchema(Db &main, Db &patch)
{
    UpgradeResult r;
    const Params backend { { QStringLiteral("数据库"), main.dialect().patchKey() } };
    Rows statements;
    try {
        r.toVersion = withoutDots(
            patch.scalar(QStringLiteral("select max(版本号) as cc from 命令表 where 1=1 and 数据库=:数据库"), backend));
        const auto current = main.first(QStringLiteral("select * from 版本号"));
        r.fromVersion = current ? withoutDots(current->value(QStringLiteral("版本号"))) : QString();
        if (r.toVersion.isEmpty())
            return r; // no statement for this back end at all: nothing to bring up, the version row stays
        statements = patch.rows(QStringLiteral("select * from 命令表 where 版本号>:版本号1 and 版本号<=:版本号2 "
                                               "and 数据库=:数据库"),
                                { { QStringLiteral("版本号1"), asVersion(r.fromVersion) },
                                  { QStringLiteral("版本号2"), asVersion(r.toVersion) },
                                  { QStringLiteral("数据库"), main.dialect().patchKey() } });
    } catch (const DbError &e) {
        r.ok = false;
        r.error = e.message();
        return r;
    }

    for (const Row &row : statements) {
        try {
            main.execRaw(row.text(QStringLiteral("sql语句")));
            ++r.ran;
        } catch (const DbError &) {
            ++r.failed;
        }
    }

    try {
        Transaction tx(main);
        main.exec(QStringLiteral("delete from 版本号"));
        main.exec(QStringLiteral("insert into 版本号 (版本号) values (:版本号)"),
                  { { QStringLiteral("版本号"), r.toVersion } });
        tx.commit();
        r.versionWritten = true;
    } catch (const DbError &e) {
        r.ok = false;
        r.error = e.message();
    }
    return r;
}

} // namespace verdalo
