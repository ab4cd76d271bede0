#pragma once

#include "core/Db.h"

#include <QDate>
#include <QString>

namespace verdalo {

// Delivery and payment status of an order, as the board's filter offers it.
enum class OrderStatus { All, Open, PaidNotDispatched, DispatchedNotPaid, Done };

// What the board shows: a day or a range, all branches or one, a status.
struct BoardFilter
{
    bool today = true;
    QDate from;
    QDate to;
    bool oneBranch = false;
    QString branch;
    OrderStatus status = OrderStatus::All;
};

struct TodayCounters
{
    int orders = 0;
    int dispatched = 0;
    qint64 collected = 0; // yuan, rounded half to even
    int credit = 0;
    int notDispatched = 0;
};

// The order board's statements: the order list, its lines, every order line of the period, today's counters, the
// sales chart and the branch refresh signal.
class BoardService
{
public:
    explicit BoardService(Db &main)
        : m_db(main)
    {
    }

    // One row per order. `commissionMode` "次数" shows one row's commission, "菜品" the sum over its rows. With
    // `withStatus` false the status filter is ignored (the automatic refresh).
    Rows orderList(const BoardFilter &f, const QDate &businessDay, const QString &commissionMode, bool withStatus);
    Rows orderLines(const QString &orderNumber);
    // Every order row of the period in time order; the refresh passes no branch and no status. The board shows
    // a few columns; the export asks for all of them.
    Rows itemList(const BoardFilter &f, const QDate &businessDay, bool withFilters, bool allColumns = false);
    TodayCounters counters(const QDate &businessDay, const QString &branch);
    // Quantity per item from the calendar day `day` up to the next day.
    Rows salesChart(const QDate &day);

    // Takes this branch's pending refresh signal; true only for the one workstation whose delete removed it.
    bool consumeBranchSignal(const QString &branch);

    static QString countersText(int n, const char *unit);

private:
    Db &m_db;
};

} // namespace verdalo
