#include "core/BusinessDate.h"

#include <gtest/gtest.h>

using namespace verdalo;

TEST(BusinessDate, ExtensionHourBelongsToThePreviousDay)
{
    struct Case
    {
        const char *time;
        const char *extension;
        int expectedDay;
    };
    // 6 January 2027.
    const Case cases[] = {
        { "02:30:00", "3", 5 },  { "02:59:59", "3", 5 }, { "03:00:00", "3", 5 }, { "03:00:01", "3", 6 },
        { "00:00:00", "0", 5 },  { "00:00:01", "0", 6 }, { "23:59:59", "3", 6 }, { "11:00:00", "12", 5 },
        { "00:00:01", "", 6 },   { "00:00:01", "default", 6 },
    };
    for (const Case &c : cases) {
        const QDateTime now(QDate(2027, 1, 6), QTime::fromString(QString::fromLatin1(c.time), QStringLiteral("hh:mm:ss")));
        EXPECT_EQ(businessDate(now, QString::fromLatin1(c.extension)), QDate(2027, 1, c.expectedDay))
            << c.time << " ext " << c.extension;
    }
    // Across a month and a year.
    EXPECT_EQ(businessDate(QDateTime(QDate(2027, 1, 1), QTime(1, 0)), QStringLiteral("3")), QDate(2026, 12, 31));
}

TEST(BusinessDate, Formats)
{
    const QDateTime t(QDate(2026, 3, 7), QTime(8, 5, 9));
    EXPECT_EQ(dateText(t.date()), QStringLiteral("2026-03-07"));
    EXPECT_EQ(timeText(t.time()), QStringLiteral("08:05:09"));
    EXPECT_EQ(dateTimeText(t), QStringLiteral("2026-03-07 08:05:09"));
    EXPECT_EQ(compactDateText(t.date()), QStringLiteral("20260307"));
}
