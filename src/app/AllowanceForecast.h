#pragma once

#include "common/DateTime.h"

#include <optional>
#include <string>

namespace tw {

// How far the billing month's allowance goes at the pace of the month so far.
struct AllowanceForecast {
    double used = 0;      // the share of the allowance used: 0.63 for 63 %, above 1 when overrun
    std::string share;    // "63 % of 50 GB"
    std::string forecast; // "at this pace: 71 GB by the 14th", "lasts until the 27th" or "allowance used up"
};

// The forecast for `usedBytes` (received + sent) of `allowanceBytes` in `period`, on the day of `now`. The pace is
// the amount per day over the period's days so far, today counted whole: on the first day the day's traffic, on the
// last day the month's. None without an allowance (0 or less).
std::optional<AllowanceForecast> forecastAllowance(double usedBytes, double allowanceBytes, const MonthPeriod& period,
                                                   const DateTime& now, char decimalSeparator = '.');

// "1st", "2nd", "3rd", "4th" ... "11th", "12th", "13th" ... "21st", "31st".
std::string ordinalDay(int day);

} // namespace tw
