#pragma once

#include "core/Db.h"

#include <QDate>
#include <QStringList>

#include <memory>

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

// The benchmarks' common command line: --pg "conninfo" (else a SQLite file in `folder`), --rows N, --orders N.
struct BenchSetup
{
    QString pg;
    int rows = 2000000;
    int orders = 200;
    QString sqlitePath;

    static BenchSetup parse(const QStringList &args, const QString &folder);
    // The database, filled with a busy shop's data if it is still empty.
    std::unique_ptr<Db> open(const QDate &today) const;
    // The database's own command-line client with its connection, for the raw timings.
    QStringList client() const;
};

// Milliseconds the client needs for `sql`, its start-up subtracted (mean of five runs).
double clientMillis(const QStringList &command, const QString &sql);

} // namespace verdalo::bench
