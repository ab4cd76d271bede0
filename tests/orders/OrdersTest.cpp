#include "catalogue/CatalogueService.h"
#include "data/Schema.h"
#include "orders/Cart.h"
#include "orders/OrderSaver.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

#include <atomic>
#include <set>
#include <thread>

using namespace verdalo;
using verdalo::test::TestDatabase;

namespace {

qlonglong addItem(Db &db, const QString &name, const char *price, double stock = 10, const char *commission = "0.5",
                  const QString &category = QStringLiteral("蔬菜"))
{
    Item i;
    i.name = name;
    i.category = category;
    Money::parse(QString::fromLatin1(price), &i.price);
    Money::parse(QString::fromLatin1(commission), &i.commission);
    i.stock = stock;
    i.sortNumber = CatalogueService(db).nextSortNumber();
    return CatalogueService(db).saveItem(i, false);
}

double stockOf(Db &db, const QString &name)
{
    return db.scalar(QStringLiteral("select 当前库存 from 菜单表 where 名称=:n"), { { QStringLiteral("n"), name } }).toDouble();
}

} // namespace

class OrdersTest : public testing::TestWithParam<Backend>
{
protected:
    void SetUp() override
    {
        t = std::make_unique<TestDatabase>(GetParam());
        VERDALO_REQUIRE_BACKEND(*t);
        schema::create(t->db(), DbRole::Main);
        schema::create(t->db(), DbRole::Local);
        cart = std::make_unique<Cart>(t->db(), t->db(), QStringLiteral("12345"));
    }
    SaveResult saveAt(const QDateTime &when, OrderForm form, const QString &extension = QStringLiteral("0"),
                      const std::function<MergeAnswer()> &ask = {})
    {
        FixedClock clock(when);
        SaveSettings s;
        s.extensionHours = extension;
        if (form.phone.isEmpty())
            form.phone = QStringLiteral("13800138000");
        if (form.name.isEmpty())
            form.name = QStringLiteral("王先生");
        const Discounted d = Cart::discounted(cart->total(), form.discountText, form.roundingText, QStringLiteral("角分"));
        form.discountedText = d.text;
        return OrderSaver(t->db(), s, clock).save(form, cart->lines(), ask);
    }
    std::unique_ptr<TestDatabase> t;
    std::unique_ptr<Cart> cart;
};

TEST_P(OrdersTest, SetMenusAddOneHeadAndTheirComponentsAndGoAsAWhole)
{
    Db &db = t->db();
    const qlonglong set = addItem(db, QStringLiteral("午餐A"), "25", 5, "1", QStringLiteral("套餐"));
    for (const char *c : { "米饭", "青菜", "鸡腿" }) {
        addItem(db, QString::fromUtf8(c), "5");
        CatalogueService(db).addComponent(QStringLiteral("午餐A"), QString::fromUtf8(c), 1);
    }
    CatalogueService(db).addSubstitute(QStringLiteral("午餐A"), QStringLiteral("鸡腿"), QStringLiteral("鸭腿"));
    cart->addItem(set, QString(), true, 5, {});
    auto lines = cart->lines();
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0].setName, QStringLiteral("午餐A"));
    EXPECT_EQ(cart->total().units(), 250000);
    EXPECT_TRUE(lines[3].isComponent());
    EXPECT_EQ(cart->substitutes(lines[3].id), QStringList { QStringLiteral("鸭腿") });
    EXPECT_TRUE(cart->substitutes(lines[0].id).isEmpty());
    cart->exchange(lines[3].id, QStringLiteral("鸭腿"));
    EXPECT_EQ(cart->lines()[3].defaultItem, QStringLiteral("鸡腿"));

    // Saved: four rows and four stock deductions.
    const SaveResult r = saveAt(QDateTime(QDate(2027, 1, 6), QTime(12, 0)), {});
    ASSERT_TRUE(r.saved) << r.message.toStdString();
    EXPECT_EQ(db.scalar(QStringLiteral("select count(*) from 产品销售开票 where 单据编号=:n"), { { QStringLiteral("n"), r.orderNumber } }).toInt(), 4);
    EXPECT_DOUBLE_EQ(stockOf(db, QStringLiteral("午餐A")), 4);
    EXPECT_DOUBLE_EQ(stockOf(db, QStringLiteral("米饭")), 9);
    EXPECT_DOUBLE_EQ(stockOf(db, QStringLiteral("鸭腿")), -1) << "a missing stock row is made with 0 minus the quantity";
    EXPECT_TRUE(r.summary.startsWith(QStringLiteral("王先生/13800138000/[午餐A1份米饭1份青菜1份鸭腿1份]总计:25元")))
        << r.summary.toStdString();

    // The same set twice: removing any component removes both.
    cart->addItem(set, QString(), false, 5, {});
    ASSERT_EQ(cart->lines().size(), 8u);
    cart->remove(cart->lines()[5].id);
    EXPECT_TRUE(cart->isEmpty());
}

TEST_P(OrdersTest, PricingDiscountPrecisionAndSpecialPrices)
{
    struct Case
    {
        const char *total, *discount, *rounding, *precision, *text;
    };
    const Case cases[] = {
        { "9.5", "10", "0", "元", "10" },     { "9.5", "10", "0", "角", "9.5" }, { "9.5", "10", "0", "角分", "9.50" },
        { "50", "8", "2", "角分", "38.00" }, { "10", "", "", "角分", "10.00" }, { "10", "10", "12", "角分", "-2.00" },
        { "3.333", "10", "0", "其他", "3.333" }, { "9.45", "10", "0", "角", "9.5" }, { "-9.45", "10", "0", "角", "-9.5" },
    };
    for (const Case &c : cases) {
        Money total;
        ASSERT_TRUE(Money::parse(QString::fromLatin1(c.total), &total));
        const Discounted d = Cart::discounted(total, QString::fromLatin1(c.discount), QString::fromLatin1(c.rounding),
                                              QString::fromUtf8(c.precision));
        EXPECT_TRUE(d.ok);
        EXPECT_EQ(d.text, QString::fromUtf8(c.text)) << c.total << " " << c.precision;
    }
    EXPECT_FALSE(Cart::discounted(Money(), QStringLiteral("八折"), {}, QStringLiteral("角分")).ok);
    EXPECT_FALSE(Cart::discounted(Money(), {}, QStringLiteral("two"), QStringLiteral("角分")).ok);

    Db &db = t->db();
    const qlonglong id = addItem(db, QStringLiteral("牛奶"), "6", 10, "0.5");
    CatalogueService(db).setSpecialPrice(QStringLiteral("会员"), QStringLiteral("牛奶"), Money::fromUnits(50000));
    const qlonglong line = cart->addItem(id, QStringLiteral("会员"), true, 10, {});
    cart->addItem(id, QStringLiteral("普通"), true, 10, {});
    const auto lines = cart->lines();
    EXPECT_EQ(lines[0].price.units(), 50000);
    EXPECT_EQ(lines[1].price.units(), 60000);
    cart->setQuantity(line, 3);
    EXPECT_EQ(cart->lines()[0].amount.units(), 150000);
    EXPECT_DOUBLE_EQ(cart->lines()[0].commission, 1.5);
    cart->setPrice(line, Money::fromUnits(40000));
    EXPECT_EQ(cart->lines()[0].amount.units(), 120000);
    EXPECT_FALSE(cart->setTaste(line, QString(51, QChar(0x8FA3))));
    EXPECT_TRUE(cart->setTaste(line, QString(50, QChar(0x8FA3))));

    // The stock question: a refusal adds nothing.
    const qlonglong empty = addItem(db, QStringLiteral("缺货"), "1", 0);
    EXPECT_EQ(cart->addItem(empty, QString(), true, 0, [] { return false; }), 0);
    EXPECT_NE(cart->addItem(empty, QString(), true, 0, [] { return true; }), 0);
}

TEST_P(OrdersTest, NumbersFollowTheBusinessDay)
{
    Db &db = t->db();
    const qlonglong id = addItem(db, QStringLiteral("白菜"), "3");
    cart->addItem(id, QString(), false, 10, {});
    struct Case
    {
        QTime time;
        const char *extension;
        const char *expected;
    };
    const Case cases[] = {
        { QTime(2, 59, 59), "3", "202701050001" }, { QTime(3, 0, 0), "3", "202701050002" },
        { QTime(3, 0, 1), "3", "202701060001" },   { QTime(0, 0, 0), "0", "202701050003" },
        { QTime(0, 0, 1), "0", "202701060002" },
    };
    for (const Case &c : cases) {
        const SaveResult r = saveAt(QDateTime(QDate(2027, 1, 6), c.time), {}, QString::fromLatin1(c.extension));
        ASSERT_TRUE(r.saved) << r.message.toStdString();
        EXPECT_EQ(r.orderNumber, QString::fromLatin1(c.expected)) << c.time.toString().toStdString();
    }
    // Past the 9999th order of a day the numbers keep increasing.
    db.exec(QStringLiteral("update 产品销售开票 set 单据编号='202701069999' where 单据编号='202701060002'"));
    EXPECT_EQ(saveAt(QDateTime(QDate(2027, 1, 6), QTime(12, 0)), {}).orderNumber, QStringLiteral("2027010610000"));
    EXPECT_EQ(saveAt(QDateTime(QDate(2027, 1, 6), QTime(12, 1)), {}).orderNumber, QStringLiteral("2027010610001"));
}

TEST_P(OrdersTest, CustomersAccountsAndTheMergeQuestion)
{
    Db &db = t->db();
    const qlonglong id = addItem(db, QStringLiteral("白菜"), "20");
    cart->addItem(id, QString(), false, 10, {});
    const QDateTime noon(QDate(2027, 1, 6), QTime(12, 0));
    const qlonglong customer = db.scalar(QStringLiteral("insert into 客户资料 (客户姓名, 联系电话, 联系地址, 购物次数, 购物金额, "
                                                        "可用积分, 帐户余额) values ('老李', '139', '人民路1号', 2, 100, 5, 20) returning id"))
                                   .toLongLong();
    OrderForm f;
    f.customerNumber = QString::number(customer);
    f.payment = QStringLiteral("帐户支付");
    f.balance = Money::fromUnits(199900);
    EXPECT_EQ(saveAt(noon, f).message, QStringLiteral("帐户余额不足！！"));
    f.balance = Money::fromUnits(200000);
    ASSERT_TRUE(saveAt(noon, f).saved);
    auto row = db.first(QStringLiteral("select * from 客户资料 where id=:id"), { { QStringLiteral("id"), customer } });
    EXPECT_EQ(row->toInt(QStringLiteral("购物次数")), 3);
    EXPECT_EQ(row->money(QStringLiteral("购物金额")).units(), 1200000);
    EXPECT_TRUE(row->money(QStringLiteral("帐户余额")).isZero());
    EXPECT_DOUBLE_EQ(row->toDouble(QStringLiteral("可用积分")), 25);
    EXPECT_EQ(row->text(QStringLiteral("最后订菜时间")), QStringLiteral("2027-01-06"));

    OrderForm stranger;
    stranger.payment = QStringLiteral("帐户支付");
    EXPECT_EQ(saveAt(noon, stranger).message, QStringLiteral("未注册用户不能使用帐户支付"));

    // Same name and address as 老李: the three answers.
    OrderForm same;
    same.name = QStringLiteral("老李");
    same.address = QStringLiteral("人民路1号");
    same.phone = QStringLiteral("138");
    const int before = db.scalar(QStringLiteral("select count(*) from 产品销售开票")).toInt();
    const SaveResult cancelled = saveAt(noon, same, QStringLiteral("0"), [] { return MergeAnswer::Cancel; });
    EXPECT_TRUE(cancelled.cancelled && !cancelled.saved);
    EXPECT_EQ(db.scalar(QStringLiteral("select count(*) from 产品销售开票")).toInt(), before);
    const SaveResult merged = saveAt(noon, same, QStringLiteral("0"), [] { return MergeAnswer::Merge; });
    ASSERT_TRUE(merged.saved);
    EXPECT_EQ(merged.customerNumber, QString::number(customer));
    EXPECT_EQ(db.scalar(QStringLiteral("select 联系电话 from 客户资料 where id=:id"), { { QStringLiteral("id"), customer } }).toString(),
              QStringLiteral("139,138"));
    const SaveResult created = saveAt(noon, same, QStringLiteral("0"), [] { return MergeAnswer::CreateNew; });
    ASSERT_TRUE(created.saved);
    EXPECT_NE(created.customerNumber, QString::number(customer));
    EXPECT_EQ(db.scalar(QStringLiteral("select 购物次数 from 客户资料 where id=:id"), { { QStringLiteral("id"), created.customerNumber.toLongLong() } }).toInt(), 0);

    // Validation order and a second signal row never inserted.
    cart->clear();
    EXPECT_EQ(saveAt(noon, {}).message, QStringLiteral("购物车不能空！！"));
    EXPECT_EQ(db.scalar(QStringLiteral("select count(*) from 小区域订单 where 小区域='总部'")).toInt(), 0);
    cart->addItem(id, QString(), false, 10, {});
    OrderForm east;
    east.store = QStringLiteral("东门店");
    ASSERT_TRUE(saveAt(noon, east).saved);
    ASSERT_TRUE(saveAt(noon, east).saved);
    EXPECT_EQ(db.scalar(QStringLiteral("select count(*) from 小区域订单 where 小区域='东门店'")).toInt(), 1);
}

TEST_P(OrdersTest, AFailingSaveLeavesNothing)
{
    Db &db = t->db();
    const qlonglong id = addItem(db, QStringLiteral("白菜"), "20");
    cart->addItem(id, QString(), false, 10, {});
    // The signal table gone: the last statement of the save fails.
    db.exec(QStringLiteral("drop table 小区域订单"));
    const SaveResult r = saveAt(QDateTime(QDate(2027, 1, 6), QTime(12, 0)), {});
    EXPECT_FALSE(r.saved);
    EXPECT_FALSE(r.message.isEmpty());
    EXPECT_EQ(db.scalar(QStringLiteral("select count(*) from 产品销售开票")).toInt(), 0);
    EXPECT_EQ(db.scalar(QStringLiteral("select count(*) from 客户资料")).toInt(), 0);
    EXPECT_DOUBLE_EQ(stockOf(db, QStringLiteral("白菜")), 10);
}

INSTANTIATE_TEST_SUITE_P(Backends, OrdersTest, testing::ValuesIn(verdalo::test::allBackends()), verdalo::test::backendName);

// Eight workstations saving 200 orders each on the same day and items.
TEST(OrdersConcurrency, EightWorkstationsGetUniqueNumbersAndExactStock)
{
    TestDatabase t(Backend::Postgres);
    VERDALO_REQUIRE_BACKEND(t);
    schema::create(t.db(), DbRole::Main);
    addItem(t.db(), QStringLiteral("白菜"), "2", 100000);
    addItem(t.db(), QStringLiteral("萝卜"), "3", 100000);
    const qlonglong customer =
        t.db().scalar(QStringLiteral("insert into 客户资料 (客户姓名, 购物次数, 购物金额, 可用积分, 帐户余额) values ('常客', 0, 0, 0, 0) returning id"))
            .toLongLong();
    constexpr int kWorkstations = 8;
    constexpr int kOrders = 200;
    std::atomic<int> failures { 0 };
    std::vector<std::thread> threads;
    const PgSettings settings = t.settings();
    for (int w = 0; w < kWorkstations; ++w) {
        threads.emplace_back([&, w] {
            try {
                auto db = Db::openPostgres(settings);
                FixedClock clock(QDateTime(QDate(2027, 1, 6), QTime(12, 0)));
                SaveSettings s;
                OrderSaver saver(*db, s, clock);
                std::vector<CartLine> lines(2);
                lines[0].name = QStringLiteral("白菜");
                lines[0].quantity = 1;
                lines[0].price = lines[0].amount = Money::fromUnits(20000);
                lines[1].name = QStringLiteral("萝卜");
                lines[1].quantity = 2;
                lines[1].price = Money::fromUnits(30000);
                lines[1].amount = Money::fromUnits(60000);
                OrderForm f;
                f.customerNumber = QString::number(customer);
                f.phone = QStringLiteral("139");
                f.name = QStringLiteral("常客");
                f.store = QStringLiteral("店%1").arg(w % 3);
                f.discountedText = QStringLiteral("8");
                for (int i = 0; i < kOrders; ++i) {
                    if (!saver.save(f, lines, {}).saved)
                        ++failures;
                }
            } catch (const DbError &) {
                ++failures;
            }
        });
    }
    for (auto &th : threads)
        th.join();
    EXPECT_EQ(failures.load(), 0);
    Db &db = t.db();
    const int orders = kWorkstations * kOrders;
    EXPECT_EQ(db.scalar(QStringLiteral("select count(distinct 单据编号) from 产品销售开票")).toInt(), orders);
    EXPECT_EQ(db.scalar(QStringLiteral("select count(*) from 产品销售开票")).toInt(), orders * 2);
    // Consecutive: 0001 .. 1600 with no gap.
    EXPECT_EQ(db.scalar(QStringLiteral("select max(cast(substr(单据编号, 9) as integer)) from 产品销售开票")).toInt(), orders);
    EXPECT_DOUBLE_EQ(stockOf(db, QStringLiteral("白菜")), 100000 - orders);
    EXPECT_DOUBLE_EQ(stockOf(db, QStringLiteral("萝卜")), 100000 - 2 * orders);
    const auto c = db.first(QStringLiteral("select * from 客户资料 where id=:id"), { { QStringLiteral("id"), customer } });
    EXPECT_EQ(c->toInt(QStringLiteral("购物次数")), orders);
    EXPECT_EQ(c->money(QStringLiteral("购物金额")).units(), 80000LL * orders);
    EXPECT_EQ(db.scalar(QStringLiteral("select count(*) from 小区域订单")).toInt(), 3);
}
