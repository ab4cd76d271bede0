#pragma once

#include "core/Db.h"

#include <QDate>

namespace verdalo::bench {

// Fills an empty main database with the data of a busy shop: customers, catalogue items, two years of order rows
// and a full current day. Rows are generated inside the database, so millions take seconds.
struct BusyShop
{
    int customers = 200000;
    int items = 1000;
    int historyRows = 2000000; // order rows over the last two years
    int ordersToday = 3000;    // orders of the current day, three rows each
    QDate today;

    void generate(Db &db) const;
};

} // namespace verdalo::bench
