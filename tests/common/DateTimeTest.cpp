#include "common/DateTime.h"

#include <gtest/gtest.h>

using tw::DateTime;

TEST(DateTime, SerialSecondsRoundTripAcrossLeapDaysAndCenturies) {
    for (auto d : {DateTime::fromCivil(2024, 2, 29, 23, 59, 59), DateTime::fromCivil(2000, 3, 1),
                   DateTime::fromCivil(1900, 2, 28, 12), DateTime{}}) {
        EXPECT_EQ(DateTime::fromSerialSeconds(d.serialSeconds()), d);
    }
    EXPECT_EQ(DateTime::fromCivil(2024, 2, 28, 23, 59).addSeconds(60), DateTime::fromCivil(2024, 2, 29));
    EXPECT_EQ(DateTime::fromCivil(2026, 12, 31, 23, 59, 30).addSeconds(30), DateTime::fromCivil(2027, 1, 1));
    EXPECT_EQ(DateTime::fromCivil(2026, 12, 6).dayOfWeek(), 0); // a Sunday
}

TEST(DateTime, ParsesTheHistoryFormatAndRejectsImpossibleDates) {
    EXPECT_EQ(DateTime::parse("2004-05-06 09:30"), DateTime::fromCivil(2004, 5, 6, 9, 30));
    EXPECT_EQ(DateTime::parse("2004-05-06"), DateTime::fromCivil(2004, 5, 6));
    EXPECT_EQ(DateTime::parse(" 2004-05-06 09:30:15"), DateTime::fromCivil(2004, 5, 6, 9, 30, 15));
    EXPECT_FALSE(DateTime::parse("2023-02-29 10:00"));
    EXPECT_FALSE(DateTime::parse("2004-05-06 24:00"));
    EXPECT_FALSE(DateTime::parse("2004/05/06 09:30"));
    EXPECT_FALSE(DateTime::parse("2004-05-06 9:30"));
    EXPECT_EQ(DateTime::fromCivil(2004, 5, 6, 9, 3).toHistoryString(), "2004-05-06 09:03");
}

TEST(MonthPeriod, StartDayOneIsTheCalendarMonth) {
    const tw::MonthPeriod feb = tw::monthPeriodOf(DateTime::fromCivil(2024, 2, 29, 23, 59), 1);
    EXPECT_EQ(feb.start, DateTime::fromCivil(2024, 2, 1));
    EXPECT_EQ(feb.end, DateTime::fromCivil(2024, 3, 1));
    EXPECT_EQ(feb.lastDay(), DateTime::fromCivil(2024, 2, 29));
    EXPECT_EQ(feb.days(), 29);
    EXPECT_TRUE(feb.contains(DateTime::fromCivil(2024, 2, 1)));
    EXPECT_FALSE(feb.contains(DateTime::fromCivil(2024, 3, 1)));
    EXPECT_FALSE(feb.contains(DateTime::fromCivil(2024, 1, 31, 23, 59, 59)));
}

TEST(MonthPeriod, RunsFromTheStartDayToTheDayBeforeItInTheNextMonthAcrossTheYearEnd) {
    // The day before the start day still belongs to the period that began the month before.
    const tw::MonthPeriod early = tw::monthPeriodOf(DateTime::fromCivil(2025, 1, 14, 23, 59), 15);
    EXPECT_EQ(early.start, DateTime::fromCivil(2024, 12, 15));
    EXPECT_EQ(early.lastDay(), DateTime::fromCivil(2025, 1, 14));
    EXPECT_EQ(early.days(), 31);
    const tw::MonthPeriod onTheDay = tw::monthPeriodOf(DateTime::fromCivil(2025, 1, 15), 15);
    EXPECT_EQ(onTheDay.start, DateTime::fromCivil(2025, 1, 15));
    EXPECT_EQ(onTheDay.end, DateTime::fromCivil(2025, 2, 15));
    EXPECT_EQ(tw::monthPeriodOf(DateTime::fromCivil(2023, 3, 1), 15).days(), 28);
    EXPECT_EQ(tw::monthPeriodOf(DateTime::fromCivil(2024, 3, 1), 15).days(), 29);
    EXPECT_EQ(tw::monthPeriodOf(DateTime::fromCivil(2024, 5, 1), 28).days(), 30);
    EXPECT_EQ(tw::monthPeriodStart(DateTime::fromCivil(2024, 12, 31, 12), 28), DateTime::fromCivil(2024, 12, 28));
    // A start day beyond what every month has is held to the 28th.
    EXPECT_EQ(tw::monthPeriodOf(DateTime::fromCivil(2024, 3, 30), 31),
              tw::monthPeriodOf(DateTime::fromCivil(2024, 3, 30), 28));
    EXPECT_EQ(tw::monthPeriodOf(DateTime::fromCivil(2024, 3, 30), 0),
              tw::monthPeriodOf(DateTime::fromCivil(2024, 3, 30), 1));
}
