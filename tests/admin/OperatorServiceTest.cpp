#include "admin/OperatorService.h"
#include "app/LoginService.h"
#include "core/PasswordHash.h"
#include "data/Schema.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

using namespace verdalo;
using verdalo::test::TestDatabase;

class OperatorServiceTest : public testing::TestWithParam<Backend>
{
protected:
    void SetUp() override
    {
        t = std::make_unique<TestDatabase>(GetParam());
        VERDALO_REQUIRE_BACKEND(*t);
        schema::create(t->db(), DbRole::Main);
        schema::create(t->db(), DbRole::Local);
    }
    QString stored(const QString &name)
    {
        return t->db().scalar(QStringLiteral("select 密码 from 登陆 where 用户=:u"), { { QStringLiteral("u"), name } })
            .toString();
    }
    std::unique_ptr<TestDatabase> t;
};

TEST_P(OperatorServiceTest, AddChecksInOrderAndStoresAHash)
{
    OperatorService s(t->db());
    struct Case
    {
        QString name, pw, repeat, dept, refusal;
    };
    const Case cases[] = {
        { {}, QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("总部"), QStringLiteral("请输入用户名") },
        { QStringLiteral("a"), {}, {}, {}, QStringLiteral("请输入密码") },
        { QStringLiteral("a"), QStringLiteral("1"), QStringLiteral("2"), {}, QStringLiteral("两次密码输入的不一致！！") },
        { QStringLiteral("a"), QStringLiteral("1"), QStringLiteral("1"), {}, QStringLiteral("请选择权限！！") },
        { QStringLiteral("admin"), QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("总部"),
          QStringLiteral("此用户名已经存在！！") },
        { QStringLiteral("小李"), QStringLiteral("密码1"), QStringLiteral("密码1"), QStringLiteral("总部"), {} },
    };
    for (const Case &c : cases)
        EXPECT_EQ(s.add(c.name, c.pw, c.repeat, c.dept), c.refusal) << c.name.toStdString();
    EXPECT_EQ(t->db().scalar(QStringLiteral("select count(*) from 登陆")).toInt(), 2);

    const auto op = s.find(QStringLiteral("小李"));
    ASSERT_TRUE(op);
    for (const QString &r : op->rights)
        EXPECT_EQ(r, QString(31, QLatin1Char('0')));
    EXPECT_TRUE(op->role.isEmpty());
    EXPECT_TRUE(password::isHash(stored(QStringLiteral("小李"))));
    EXPECT_TRUE(s.checkCredentials(QStringLiteral("小李"), QStringLiteral("密码1")));
    EXPECT_FALSE(s.checkCredentials(QStringLiteral("小李"), QStringLiteral("密码2")));
}

TEST_P(OperatorServiceTest, LegacyClearTextIsAcceptedOnceAndRewritten)
{
    t->db().exec(QStringLiteral("insert into 登陆 (用户, 密码, 部门) values ('老王', 'abc', '总部')"));
    OperatorService s(t->db());
    EXPECT_FALSE(s.checkCredentials(QStringLiteral("老王"), QStringLiteral("abd")));
    EXPECT_EQ(stored(QStringLiteral("老王")), QStringLiteral("abc"));
    EXPECT_TRUE(s.checkCredentials(QStringLiteral("老王"), QStringLiteral("abc")));
    EXPECT_TRUE(password::isHash(stored(QStringLiteral("老王"))));
    EXPECT_TRUE(s.checkCredentials(QStringLiteral("老王"), QStringLiteral("abc")));
    // A stored hash typed as the password does not log in.
    EXPECT_FALSE(s.checkCredentials(QStringLiteral("老王"), stored(QStringLiteral("老王"))));

    // Rows without rights get them all; an empty string is left alone.
    t->db().exec(QStringLiteral("insert into 登陆 (用户, 密码, right1) values ('空', 'x', '')"));
    s.fillMissingRights();
    EXPECT_EQ(s.find(QStringLiteral("老王"))->rights[8], Rights::kAll);
    EXPECT_TRUE(s.find(QStringLiteral("空"))->rights[0].isEmpty());
}

TEST_P(OperatorServiceTest, PasswordChangeRightsAndRemoval)
{
    OperatorService s(t->db());
    ASSERT_TRUE(s.add(QStringLiteral("小李"), QStringLiteral("old"), QStringLiteral("old"), QStringLiteral("总部"))
                    .isEmpty());
    EXPECT_EQ(s.changePassword(QStringLiteral("小李"), QStringLiteral("old"), {}, {}), QStringLiteral("新密码不能为空！！"));
    EXPECT_EQ(s.changePassword(QStringLiteral("小李"), QStringLiteral("old"), QStringLiteral("n1"), QStringLiteral("n2")),
              QStringLiteral("两次输入的密码不相同！！"));
    EXPECT_EQ(s.changePassword(QStringLiteral("小李"), QStringLiteral("bad"), QStringLiteral("n1"), QStringLiteral("n1")),
              QStringLiteral("原密码错误！！"));
    EXPECT_TRUE(s.checkCredentials(QStringLiteral("小李"), QStringLiteral("old")));
    EXPECT_TRUE(s.changePassword(QStringLiteral("小李"), QStringLiteral("old"), QStringLiteral("n1"), QStringLiteral("n1"))
                    .isEmpty());
    EXPECT_TRUE(s.checkCredentials(QStringLiteral("小李"), QStringLiteral("n1")));
    EXPECT_FALSE(s.checkCredentials(QStringLiteral("小李"), QStringLiteral("old")));

    s.setGroupRights(QStringLiteral("小李"), 2, QStringLiteral("1011111111111"));
    EXPECT_EQ(s.find(QStringLiteral("小李"))->rights[1], QStringLiteral("1011111111111"));

    // The editor cannot rename admin; another operator's name may change.
    const qlonglong adminId = s.find(QStringLiteral("admin"))->id;
    EXPECT_TRUE(s.update(adminId, QStringLiteral("boss"), QStringLiteral("p"), QStringLiteral("p"), QStringLiteral("总部"))
                    .isEmpty());
    EXPECT_TRUE(s.find(QStringLiteral("admin")));
    EXPECT_EQ(s.remove(QStringLiteral("admin")), QStringLiteral("不能将管理员帐户删除！！"));
    EXPECT_TRUE(s.find(QStringLiteral("admin")));
    EXPECT_TRUE(s.remove(QStringLiteral("小李")).isEmpty());
    EXPECT_FALSE(s.find(QStringLiteral("小李")));
    EXPECT_EQ(s.departments().first(), QStringLiteral("总部"));
}

TEST_P(OperatorServiceTest, DeviceChoiceRoundTrip)
{
    LoginService login(t->db(), t->db());
    Session s;
    DeviceChoice serial;
    serial.serial = true;
    serial.port = QStringLiteral("3");
    serial.boxType = QStringLiteral("二路");
    login.storeDeviceChoice(serial, s);
    EXPECT_EQ(s.loginMode, QStringLiteral("来电登陆"));
    DeviceChoice back = login.lastDeviceChoice();
    EXPECT_TRUE(back.serial);
    EXPECT_EQ(back.port, QStringLiteral("3"));
    EXPECT_EQ(back.boxType, QStringLiteral("二路"));
    EXPECT_FALSE(back.usb);

    login.storeDeviceChoice(DeviceChoice {}, s);
    EXPECT_EQ(s.loginMode, QStringLiteral("无来电登陆"));
    back = login.lastDeviceChoice();
    EXPECT_FALSE(back.serial || back.usb);
    EXPECT_EQ(t->db().scalar(QStringLiteral("select 编号 from 串口编号")).toInt(), 0);
}

INSTANTIATE_TEST_SUITE_P(Backends, OperatorServiceTest, testing::ValuesIn(verdalo::test::allBackends()),
                         verdalo::test::backendName);

TEST(LoginChecks, DeviceRefusals)
{
    struct Case
    {
        bool serial;
        const char *port;
        const char *type;
        const char *typeRefusal;
        const char *portRefusal;
    };
    const Case cases[] = {
        { true, "3", "二路", "", "" },
        { true, "5", "四路", "一路和二路和四路的来电显示接收盒有效串口编号为1-4，请重新进行设置！！", "" },
        { true, "6", "usb来电宝", "", "" },
        { true, "", "一路", "", "请选择串口编号！！" },
        { true, "9", "usb来电宝", "", "请选择串口编号！！" },
        { true, "x", "usb来电宝", "", "请选择串口编号！！" },
        { true, "1", "八路", "接收设备类型选择错误！！", "" },
        { false, "", "", "", "" },
        { false, "", "乱写", "接收设备类型选择错误！！", "" },
    };
    for (const Case &c : cases) {
        DeviceChoice d;
        d.serial = c.serial;
        d.port = QString::fromUtf8(c.port);
        d.boxType = QString::fromUtf8(c.type);
        EXPECT_EQ(LoginService::checkBoxType(d), QString::fromUtf8(c.typeRefusal)) << c.port << c.type;
        EXPECT_EQ(LoginService::checkPort(d), QString::fromUtf8(c.portRefusal)) << c.port << c.type;
    }
}
