#include "board/BoardService.h"
#include "core/BusinessDate.h"
#include "data/Schema.h"
#include "support/OrderFixture.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

using namespace verdalo;
using verdalo::test::OrderRow;
using verdalo::test::TestDatabase;

namespace {
const QDate kDay(2027, 1, 5);

// Two days, three stores, all four statuses, cash and credit.
void seed(Db &db)
{
    using test::addOrderRow;
    for (const char *item : { "白菜", "萝卜", "土豆" }) {
        OrderRow r { QStringLiteral("202701050001"), QStringLiteral("2027-01-05") };
        r.item = QString::fromUtf8(item);
        r.time = QStringLiteral("09:00:00");
        r.total = "30";
        r.commission = "2";
        r.branch = QStringLiteral("东门店");
        addOrderRow(db, r);
    }
    OrderRow two { QStringLiteral("202701050002"), QStringLiteral("2027-01-05") };
    two.time = QStringLiteral("08:00:00");
    two.total = "12.5";
    two.branch = QStringLiteral("西门店");
    two.paid = two.dispatched = true;
    addOrderRow(db, two);
    for (int i = 0; i < 2; ++i) {
        OrderRow three { QStringLiteral("202701050003"), QStringLiteral("2027-01-05") };
        three.total = "20";
        three.paid = true;
        addOrderRow(db, three);
    }
    OrderRow four { QStringLiteral("202701050004"), QStringLiteral("2027-01-05") };
    four.total = "8";
    four.branch = QStringLiteral("东门店");
    four.dispatched = true;
    four.payment = QStringLiteral("签单");
    addOrderRow(db, four);
    OrderRow five { QStringLiteral("202701050005"), QStringLiteral("2027-01-05") };
    five.total = "100";
    five.paid = five.dispatched = true;
    five.payment = QStringLiteral("签单");
    addOrderRow(db, five);
    addOrderRow(db, OrderRow { QStringLiteral("202701060001"), QStringLiteral("2027-01-06") });
}

QStringList numbers(const Rows &rows)
{
    QStringList out;
    for (const Row &r : rows)
        out.append(r.text(QStringLiteral("单据编号")));
    return out;
}
} // namespace

class BoardServiceTest : public testing::TestWithParam<Backend>
{
protected:
    void SetUp() override
    {
        t = std::make_unique<TestDatabase>(GetParam());
        VERDALO_REQUIRE_BACKEND(*t);
        schema::create(t->db(), DbRole::Main);
        seed(t->db());
        board = std::make_unique<BoardService>(t->db());
    }
    std::unique_ptr<TestDatabase> t;
    std::unique_ptr<BoardService> board;
};

TEST_P(BoardServiceTest, OneRowPerOrderWithTheCommissionOfItsMode)
{
    BoardFilter f;
    const Rows byOrder = board->orderList(f, kDay, QStringLiteral("次数"), true);
    EXPECT_EQ(numbers(byOrder), (QStringList { QStringLiteral("202701050001"), QStringLiteral("202701050002"),
                                                QStringLiteral("202701050003"), QStringLiteral("202701050004"),
                                                QStringLiteral("202701050005") }));
    EXPECT_EQ(byOrder[0].money(QStringLiteral("提成")).units(), 20000);
    EXPECT_EQ(byOrder[0].money(QStringLiteral("应付货款")).units(), 300000);
    const Rows byItem = board->orderList(f, kDay, QStringLiteral("菜品"), true);
    EXPECT_EQ(byItem[0].money(QStringLiteral("提成")).units(), 60000);
    EXPECT_EQ(board->orderLines(QStringLiteral("202701050001")).size(), 3u);
}

TEST_P(BoardServiceTest, FiltersAndTheBusinessDay)
{
    // At 02:30 with the day extended to 03:00 the board still shows the 5th.
    const QDate at0230 = businessDate(QDateTime(QDate(2027, 1, 6), QTime(2, 30)), QStringLiteral("3"));
    const QDate at0300 = businessDate(QDateTime(QDate(2027, 1, 6), QTime(3, 0, 1)), QStringLiteral("3"));
    BoardFilter f;
    EXPECT_EQ(board->orderList(f, at0230, QStringLiteral("次数"), true).size(), 5u);
    EXPECT_EQ(numbers(board->orderList(f, at0300, QStringLiteral("次数"), true)), QStringList { QStringLiteral("202701060001") });

    f.oneBranch = true;
    f.branch = QStringLiteral("总部");
    EXPECT_EQ(numbers(board->orderList(f, kDay, QStringLiteral("次数"), true)),
              (QStringList { QStringLiteral("202701050003"), QStringLiteral("202701050005") }));
    f.oneBranch = false;

    const std::pair<OrderStatus, const char *> statuses[] = {
        { OrderStatus::Open, "202701050001" },
        { OrderStatus::PaidNotDispatched, "202701050003" },
        { OrderStatus::DispatchedNotPaid, "202701050004" },
    };
    for (const auto &[status, number] : statuses) {
        f.status = status;
        EXPECT_EQ(numbers(board->orderList(f, kDay, QStringLiteral("次数"), true)), QStringList { QString::fromLatin1(number) });
        // The automatic refresh ignores the status filter.
        EXPECT_EQ(board->orderList(f, kDay, QStringLiteral("次数"), false).size(), 5u);
    }
    f.status = OrderStatus::Done;
    EXPECT_EQ(board->orderList(f, kDay, QStringLiteral("次数"), true).size(), 2u);
    EXPECT_EQ(board->itemList(f, kDay, true).size(), 2u);
    EXPECT_EQ(board->itemList(f, kDay, false).size(), 8u);
    EXPECT_EQ(board->itemList(f, kDay, false).front().text(QStringLiteral("时间")), QStringLiteral("08:00:00"));

    // A range, and a range whose end is before its start.
    BoardFilter range;
    range.today = false;
    range.from = kDay;
    range.to = kDay.addDays(1);
    EXPECT_EQ(board->orderList(range, kDay, QStringLiteral("次数"), true).size(), 6u);
    range.from = kDay.addDays(1);
    range.to = kDay;
    EXPECT_TRUE(board->orderList(range, kDay, QStringLiteral("次数"), true).empty());
}

TEST_P(BoardServiceTest, TodaysCounters)
{
    const TodayCounters c = board->counters(kDay, QString());
    EXPECT_EQ(c.orders, 5);
    EXPECT_EQ(c.dispatched, 3);
    EXPECT_EQ(c.notDispatched, 2);
    EXPECT_EQ(c.credit, 2);
    // 12.5 + 20 paid in cash, each order once; the credit order is left out; 32.5 rounds to the even 32.
    EXPECT_EQ(c.collected, 32);
    const TodayCounters east = board->counters(kDay, QStringLiteral("东门店"));
    EXPECT_EQ(east.orders, 2);
    EXPECT_EQ(east.collected, 0);
    const TodayCounters empty = board->counters(kDay.addDays(10), QString());
    EXPECT_EQ(empty.orders + empty.dispatched + empty.notDispatched + empty.credit, 0);
    EXPECT_EQ(empty.collected, 0);
    EXPECT_EQ(BoardService::countersText(0, "元"), QStringLiteral("0  元"));

    const Rows chart = board->salesChart(kDay);
    ASSERT_FALSE(chart.empty());
    double total = 0;
    for (const Row &r : chart)
        total += r.toDouble(QStringLiteral("数量"));
    EXPECT_DOUBLE_EQ(total, 8);
}

TEST_P(BoardServiceTest, ABranchSignalIsTakenByOneWorkstation)
{
    t->db().exec(QStringLiteral("insert into 小区域订单 (小区域) values ('东门店')"));
    auto second = t->openAnother();
    BoardService other(*second);
    const bool first = board->consumeBranchSignal(QStringLiteral("东门店"));
    const bool again = other.consumeBranchSignal(QStringLiteral("东门店"));
    EXPECT_TRUE(first);
    EXPECT_FALSE(again);
    EXPECT_FALSE(board->consumeBranchSignal(QStringLiteral("西门店")));
}

INSTANTIATE_TEST_SUITE_P(Backends, BoardServiceTest, testing::ValuesIn(verdalo::test::allBackends()),
                         verdalo::test::backendName);
