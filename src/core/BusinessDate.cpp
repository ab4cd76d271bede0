#include "core/BusinessDate.h"

namespace verdalo {

QDate businessDate(const QDateTime &now, const QString &extensionHours)
{
    bool ok = false;
    int hours = extensionHours.trimmed().toInt(&ok);
    if (!ok)
        hours = 0;
    // The rule compares texts: the time of day "hh:mm:ss" against the hour as two digits plus ":00:00".
    const QString boundary = QStringLiteral("%1:00:00").arg(hours, 2, 10, QLatin1Char('0'));
    const QString time = timeText(now.time());
    return time > boundary ? now.date() : now.date().addDays(-1);
}

QString dateText(const QDate &d)
{
    return d.toString(QStringLiteral("yyyy-MM-dd"));
}

QString timeText(const QTime &t)
{
    return t.toString(QStringLiteral("hh:mm:ss"));
}

QString dateTimeText(const QDateTime &dt)
{
    return dt.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
}

QString compactDateText(const QDate &d)
{
    return d.toString(QStringLiteral("yyyyMMdd"));
}

} // namespace verdalo
