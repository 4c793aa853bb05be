#include "app/AllowanceForecast.h"

#include "app/AmountFormatter.h"
#include "common/NumberText.h"

#include <algorithm>
#include <cmath>

namespace tw {

std::string ordinalDay(int day) {
    const int lastTwo = day % 100;
    const char* suffix = "th";
    if (lastTwo < 11 || lastTwo > 13) {
        switch (day % 10) {
        case 1:
            suffix = "st";
            break;
        case 2:
            suffix = "nd";
            break;
        case 3:
            suffix = "rd";
            break;
        default:
            break;
        }
    }
    return std::to_string(day) + suffix;
}

std::optional<AllowanceForecast> forecastAllowance(double usedBytes, double allowanceBytes, const MonthPeriod& period,
                                                   const DateTime& now, char decimalSeparator) {
    if (!(allowanceBytes > 0)) {
        return std::nullopt;
    }
    const double used = std::max(usedBytes, 0.0);
    AllowanceForecast f;
    f.used = used / allowanceBytes;
    // Rounded down, and from the exact amounts (0.29 * 100 is 28.999... in doubles): 100 % only once it is spent.
    const auto percent = static_cast<double>(std::floor(static_cast<long double>(used) * 100 / allowanceBytes));
    f.share = decimalText(percent) + " % of " + formatShortAmount(allowanceBytes, decimalSeparator);

    const int periodDays = period.days();
    const auto daysSoFar =
        static_cast<int>(std::clamp<std::int64_t>(now.serialDays() - period.start.serialDays() + 1, 1, periodDays));
    if (used >= allowanceBytes) {
        f.forecast = "allowance used up";
        return f;
    }
    // Exact for whole amounts up to 2^53 times a month's days.
    const long double projected = static_cast<long double>(used) * periodDays / daysSoFar;
    if (projected <= allowanceBytes) {
        f.forecast = "at this pace: " + formatShortAmount(static_cast<double>(projected), decimalSeparator) +
                     " by the " + ordinalDay(period.lastDay().day);
        return f;
    }
    // The allowance is spent during the day on which the days it lasts end (a whole day lasts to its end).
    const long double lastsDays = static_cast<long double>(allowanceBytes) * daysSoFar / used;
    const auto lastDayIndex = static_cast<int>(std::ceil(lastsDays)) - 1;
    f.forecast = "lasts until the " + ordinalDay(period.start.addDays(lastDayIndex).day);
    return f;
}

} // namespace tw
