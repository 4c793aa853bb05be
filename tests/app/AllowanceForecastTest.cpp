#include "app/AllowanceForecast.h"

#include <gtest/gtest.h>

using tw::DateTime;

namespace {

constexpr double kGB = 1073741824.0;

std::optional<tw::AllowanceForecast> forecast(double usedGB, double allowanceGB, int startDay, DateTime now) {
    return tw::forecastAllowance(usedGB * kGB, allowanceGB * kGB, tw::monthPeriodOf(now, startDay), now);
}

} // namespace

TEST(AllowanceForecast, OnTheFirstDayTheDaysTrafficIsThePaceOfTheWholeMonth) {
    EXPECT_FALSE(forecast(1, 0, 1, DateTime::fromCivil(2024, 6, 1))) << "no allowance, no forecast";
    const auto within = forecast(1, 50, 1, DateTime::fromCivil(2024, 6, 1, 9, 30)); // June: 30 days
    ASSERT_TRUE(within);
    EXPECT_EQ(within->share, "2 % of 50 GB");
    EXPECT_EQ(within->forecast, "at this pace: 30 GB by the 30th");
    EXPECT_DOUBLE_EQ(within->used, 0.02);

    const auto beyond = forecast(2, 50, 1, DateTime::fromCivil(2024, 1, 1, 23, 0)); // 62 GB at this pace
    ASSERT_TRUE(beyond);
    EXPECT_EQ(beyond->forecast, "lasts until the 25th");
}

TEST(AllowanceForecast, OnTheLastDayTheForecastIsWhatWasUsed) {
    const auto leapFebruary = forecast(40, 50, 1, DateTime::fromCivil(2024, 2, 29, 12, 0));
    ASSERT_TRUE(leapFebruary);
    EXPECT_EQ(leapFebruary->share, "80 % of 50 GB");
    EXPECT_EQ(leapFebruary->forecast, "at this pace: 40 GB by the 29th");
    // The billing month from the 15th ends on the 14th.
    EXPECT_EQ(forecast(40, 50, 15, DateTime::fromCivil(2023, 3, 14, 23, 59))->forecast,
              "at this pace: 40 GB by the 14th");
}

TEST(AllowanceForecast, WithoutTrafficNothingIsUsedAndNothingForecast) {
    const auto idle = forecast(0, 50, 1, DateTime::fromCivil(2023, 2, 10));
    ASSERT_TRUE(idle);
    EXPECT_EQ(idle->share, "0 % of 50 GB");
    EXPECT_EQ(idle->forecast, "at this pace: 0 bytes by the 28th");
}

TEST(AllowanceForecast, TheDayTheAllowanceRunsOutFollowsTheMonthsLength) {
    // 10 days of a month from the 15th, 20 GB used: 50 GB last 25 days, to the day before the 40th day.
    EXPECT_EQ(forecast(20, 50, 15, DateTime::fromCivil(2024, 1, 24))->forecast, "lasts until the 8th");  // Feb 8
    EXPECT_EQ(forecast(20, 50, 15, DateTime::fromCivil(2023, 2, 24))->forecast, "lasts until the 11th"); // Mar 11
    // Lasting exactly 30 days takes the allowance to the end of the 30th day, one short of a 31-day month.
    EXPECT_EQ(forecast(10, 30, 1, DateTime::fromCivil(2024, 3, 10, 8, 0))->forecast, "lasts until the 30th");
    EXPECT_EQ(forecast(10, 31, 1, DateTime::fromCivil(2024, 3, 10, 8, 0))->forecast, "at this pace: 31 GB by the 31st");
    // A 30-day month and a 28-day one at the same pace.
    EXPECT_EQ(forecast(10, 29, 1, DateTime::fromCivil(2024, 4, 10))->forecast, "lasts until the 29th");
    EXPECT_EQ(forecast(10, 29, 1, DateTime::fromCivil(2023, 2, 10))->forecast, "at this pace: 28 GB by the 28th");
}

TEST(AllowanceForecast, AnAllowanceSpentIsSaidSoWithTheShareBeyondAHundred) {
    const auto spent = forecast(51, 50, 1, DateTime::fromCivil(2024, 6, 20));
    EXPECT_EQ(spent->share, "102 % of 50 GB");
    EXPECT_EQ(spent->forecast, "allowance used up");
    EXPECT_EQ(forecast(50, 50, 1, DateTime::fromCivil(2024, 6, 20))->share, "100 % of 50 GB");
    // Just short of the allowance is not yet all of it.
    EXPECT_EQ(tw::forecastAllowance(50 * kGB - 1, 50 * kGB, tw::monthPeriodOf(DateTime::fromCivil(2024, 6, 30), 1),
                                    DateTime::fromCivil(2024, 6, 30))
                  ->share,
              "99 % of 50 GB");
}

TEST(AllowanceForecast, AmountsAreShortWithTheCallersDecimalSeparator) {
    const tw::MonthPeriod june = tw::monthPeriodOf(DateTime::fromCivil(2024, 6, 1), 1);
    const auto f = tw::forecastAllowance(53687091, 1.5 * kGB, june, DateTime::fromCivil(2024, 6, 1), ',');
    EXPECT_EQ(f->share, "3 % of 1,5 GB");
    EXPECT_EQ(forecast(29, 100, 1, DateTime::fromCivil(2024, 6, 30))->share, "29 % of 100 GB");
    EXPECT_EQ(f->forecast, "at this pace: 1,5 GB by the 30th");
}

TEST(AllowanceForecast, OrdinalDays) {
    std::vector<std::string> days;
    for (int d : {1, 2, 3, 4, 11, 12, 13, 21, 22, 23, 28, 31}) {
        days.push_back(tw::ordinalDay(d));
    }
    EXPECT_EQ(days, (std::vector<std::string>{"1st", "2nd", "3rd", "4th", "11th", "12th", "13th", "21st", "22nd",
                                              "23rd", "28th", "31st"}));
}
