#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>

namespace verdalo {

// The shop's "today". A business day may run past midnight until the hour `营业延长时间` of the next morning;
// until then (that hour itself included, to the second) orders still belong to the previous day.
//
// `extensionHours` is the setting's text: a whole number of hours, "0" for no extension. Anything that is not
// a number counts as "0".
QDate businessDate(const QDateTime &now, const QString &extensionHours);

// Dates and times as the database and the receipts write them.
QString dateText(const QDate &d);                // yyyy-MM-dd
QString timeText(const QTime &t);                // hh:mm:ss
QString dateTimeText(const QDateTime &dt);       // yyyy-MM-dd hh:mm:ss
QString compactDateText(const QDate &d);         // yyyyMMdd, the prefix of order numbers

} // namespace verdalo
