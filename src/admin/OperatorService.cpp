#include "admin/OperatorService.h"

#include "core/PasswordHash.h"

namespace verdalo {
namespace {
QString rightsAssignments()
{
    QStringList parts;
    for (int i = 1; i <= 9; ++i)
        parts.append(QStringLiteral("right%1=:right%1").arg(i));
    return parts.join(QLatin1Char(','));
}
} // namespace

OperatorRow OperatorService::fromRow(const Row &r)
{
    OperatorRow o;
    o.id = r.toLongLong(QStringLiteral("id"));
    o.name = r.text(QStringLiteral("用户"));
    o.department = r.text(QStringLiteral("部门"));
    o.role = r.text(QStringLiteral("权限"));
    for (int i = 0; i < 9; ++i)
        o.rights[static_cast<size_t>(i)] = r.text(QStringLiteral("right%1").arg(i + 1));
    return o;
}

QStringList OperatorService::names()
{
    return m_db.column(QStringLiteral("select 用户 from 登陆 order by id"));
}

std::optional<OperatorRow> OperatorService::find(const QString &name)
{
    const auto r = m_db.first(QStringLiteral("select * from 登陆 where 用户=:用户 order by id"),
                              { { QStringLiteral("用户"), name } });
    return r ? std::optional(fromRow(*r)) : std::nullopt;
}

std::optional<OperatorRow> OperatorService::findById(qlonglong id)
{
    const auto r = m_db.first(QStringLiteral("select * from 登陆 where id=:id"), { { QStringLiteral("id"), id } });
    return r ? std::optional(fromRow(*r)) : std::nullopt;
}

QStringList OperatorService::departments()
{
    return QStringList { QStringLiteral("总部") } + m_db.column(QStringLiteral("select 小区域 from 小区域 order by id"));
}

void OperatorService::setGroupRights(const QString &name, int group, const QString &rights)
{
    if (group < 1 || group > 4)
        return;
    m_db.exec(QStringLiteral("update 登陆 set right%1=:rights where 用户=:用户").arg(group),
              { { QStringLiteral("rights"), rights }, { QStringLiteral("用户"), name } });
}

namespace {
// The editor's checks after the name, in their order.
QString checkEntry(const QString &password, const QString &repeat, const QString &department)
{
    if (password.isEmpty())
        return QStringLiteral("请输入密码");
    if (password != repeat)
        return QStringLiteral("两次密码输入的不一致！！");
    if (department.isEmpty())
        return QStringLiteral("请选择权限！！");
    return {};
}
} // namespace

QString OperatorService::add(const QString &name, const QString &password, const QString &repeat,
                             const QString &department)
{
    if (name.isEmpty())
        return QStringLiteral("请输入用户名");
    if (const QString refusal = checkEntry(password, repeat, department); !refusal.isEmpty())
        return refusal;
    Params p { { QStringLiteral("用户"), name },
               { QStringLiteral("密码"), password::hash(password) },
               { QStringLiteral("部门"), department } };
    for (int i = 1; i <= 9; ++i)
        p.set(QStringLiteral("right%1").arg(i), Rights::kNewOperator);
    Transaction tx(m_db);
    if (find(name))
        return QStringLiteral("此用户名已经存在！！");
    m_db.exec(QStringLiteral("insert into 登陆 (用户,密码,部门,right1,right2,right3,right4,right5,right6,right7,right8,"
                             "right9) values (:用户,:密码,:部门,:right1,:right2,:right3,:right4,:right5,:right6,"
                             ":right7,:right8,:right9)"),
              p);
    tx.commit();
    return {};
}

QString OperatorService::update(qlonglong id, const QString &name, const QString &password, const QString &repeat,
                                const QString &department)
{
    if (const QString refusal = checkEntry(password, repeat, department); !refusal.isEmpty())
        return refusal;
    const auto current = findById(id);
    // The administrator's name stays "admin" whatever the editor sends.
    const QString newName = current && current->name == kAdminName ? kAdminName : name;
    if (newName.isEmpty())
        return QStringLiteral("请输入用户名");
    m_db.exec(QStringLiteral("update 登陆 set 用户=:用户 ,部门=:部门,密码=:密码 where id=:id"),
              { { QStringLiteral("用户"), newName },
                { QStringLiteral("部门"), department },
                { QStringLiteral("密码"), password::hash(password) },
                { QStringLiteral("id"), id } });
    return {};
}

QString OperatorService::remove(const QString &name)
{
    if (name == kAdminName)
        return QStringLiteral("不能将管理员帐户删除！！");
    m_db.exec(QStringLiteral("delete from 登陆 where 用户=:用户"), { { QStringLiteral("用户"), name } });
    return {};
}

QString OperatorService::changePassword(const QString &user, const QString &oldPassword, const QString &newPassword,
                                        const QString &repeat)
{
    if (newPassword.isEmpty())
        return QStringLiteral("新密码不能为空！！");
    if (newPassword != repeat)
        return QStringLiteral("两次输入的密码不相同！！");
    const auto op = checkCredentials(user, oldPassword);
    if (!op)
        return QStringLiteral("原密码错误！！");
    m_db.exec(QStringLiteral("update 登陆 set 密码=:密码 where id=:id"),
              { { QStringLiteral("密码"), password::hash(newPassword) }, { QStringLiteral("id"), op->id } });
    return {};
}

std::optional<OperatorRow> OperatorService::checkCredentials(const QString &name, const QString &clearText)
{
    const Rows rows = m_db.rows(QStringLiteral("select * from 登陆 where 用户=:nm order by id"),
                                { { QStringLiteral("nm"), name } });
    for (const Row &r : rows) {
        const QString stored = r.text(QStringLiteral("密码"));
        if (!password::verify(clearText, stored))
            continue;
        OperatorRow op = fromRow(r);
        if (!password::isHash(stored)) {
            m_db.exec(QStringLiteral("update 登陆 set 密码=:密码 where id=:id"),
                      { { QStringLiteral("密码"), password::hash(clearText) }, { QStringLiteral("id"), op.id } });
        }
        return op;
    }
    return std::nullopt;
}

void OperatorService::fillMissingRights()
{
    Params p;
    for (int i = 1; i <= 9; ++i)
        p.set(QStringLiteral("right%1").arg(i), Rights::kAll);
    m_db.exec(QStringLiteral("update 登陆 set %1 where right1 is null").arg(rightsAssignments()), p);
}

} // namespace verdalo
