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

TEST(DateTime, MonthPeriodStartsOnItsDayInThisMonthOrTheOneBefore) {
    EXPECT_EQ(tw::monthPeriodStart(DateTime::fromCivil(2026, 3, 10, 12, 30), 1), DateTime::fromCivil(2026, 3, 1));
    EXPECT_EQ(tw::monthPeriodStart(DateTime::fromCivil(2026, 3, 15), 15), DateTime::fromCivil(2026, 3, 15));
    EXPECT_EQ(tw::monthPeriodStart(DateTime::fromCivil(2026, 3, 14, 23, 59), 15), DateTime::fromCivil(2026, 2, 15));
    EXPECT_EQ(tw::monthPeriodStart(DateTime::fromCivil(2027, 1, 3), 28), DateTime::fromCivil(2026, 12, 28));
}
