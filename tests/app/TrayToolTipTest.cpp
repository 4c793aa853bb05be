#include "app/TrayToolTip.h"
#include "history/dayObject.h"

#include <gtest/gtest.h>

namespace {

tw::dayObject period(double received, double sent) {
    tw::dayObject d;
    d.setBytesReceived(received);
    d.setBytesSent(sent);
    return d;
}

} // namespace

TEST(TrayToolTip, StateThenEachSpeedInItsOwnUnitThenTodayAndMonthTotals) {
    const auto today = period(1.0 * 1024 * 1024 * 1024, 0.4 * 1024 * 1024 * 1024);
    const auto month = period(20.0 * 1024 * 1024 * 1024, 3.0 * 1024 * 1024 * 1024);
    EXPECT_EQ(tw::trayToolTip("Tallywave - Logging", tw::TraySpeeds{1258291, 40960}, today, month, '.'),
              "Tallywave - Logging\n\u2193 1.2 MB/s \u2191 40.0 kB/s\nToday 1.4 GB \u00b7 Month 23.0 GB");
}

TEST(TrayToolTip, NoSpeedLineWithoutPassesAndTheCallersDecimalSeparator) {
    EXPECT_EQ(tw::trayToolTip("Tallywave - Logging paused", std::nullopt, period(1536, 0), period(0, 0), ','),
              "Tallywave - Logging paused\nToday 1,5 kB \u00b7 Month 0 bytes");
}

TEST(TrayToolTip, ABillingPeriodIsNamedSoAndTheAllowanceLineComesLast) {
    EXPECT_EQ(tw::trayToolTip("Tallywave - Not logging", std::nullopt, period(0, 0), period(1024, 0), '.', "Period",
                              "63 % of 50 GB \u00b7 lasts until the 27th"),
              "Tallywave - Not logging\nToday 0 bytes \u00b7 Period 1.0 kB\n63 % of 50 GB \u00b7 lasts until the 27th");
}
