// "This month" as a billing month that starts on another day than the 1st.
#include "app/MonitorFixture.h"

using tw::DateTime;
using twtest::MonitorTest;

namespace {

class MonitorBillingPeriodTest : public MonitorTest {
protected:
    static constexpr const char* kMonthAlarm =
        "[Alarm]\r\nAlarmDisabled=0\r\nNumAlarms=1\r\nRow1a=download\r\nRow1b=per month\r\nRow1c=10\r\n";
};

} // namespace

TEST_F(MonitorBillingPeriodTest, TheMonthTurnsOnItsStartDayNotOnTheFirst) {
    clock.setNow(DateTime::fromCivil(2026, 2, 28, 23, 59, 30));
    writeHistory({"2026-02-15 08:00;2026-02-15 09:00;1000;0;0;0;", "2026-02-14 08:00;2026-02-14 09:00;7;0;0;0;"});
    writeSettings(std::string("[General]\r\nmonthStartDay=15\r\n") + kMonthAlarm);
    startMonitor();
    EXPECT_EQ(month().getBytesReceived(), 1000);
    tick(100, 0);
    ASSERT_TRUE(controller->alarms()[0].isShown());

    clock.setNow(DateTime::fromCivil(2026, 3, 1, 0, 0, 5)); // a new calendar month, the same billing month
    tick(0, 0);
    EXPECT_EQ(month().getBytesReceived(), 1100);
    EXPECT_TRUE(controller->alarms()[0].isShown()) << "the month alarm's month goes on";

    clock.setNow(DateTime::fromCivil(2026, 3, 14, 23, 59, 0));
    tick(5, 0);
    clock.setNow(DateTime::fromCivil(2026, 3, 15, 0, 0, 30));
    tick(0, 0);
    EXPECT_EQ(month().getBytesReceived(), 0) << "the 15th starts a new billing month";
    EXPECT_FALSE(controller->alarms()[0].isShown());
    EXPECT_FALSE(controller->alarms()[0].isTriggered());
}

TEST_F(MonitorBillingPeriodTest, ResetThisMonthRemovesTheBillingMonthsLines) {
    clock.setNow(DateTime::fromCivil(2026, 3, 5, 10, 0, 0));
    writeHistory({"2026-03-04 08:00;2026-03-04 09:00;1;0;0;0;", "2026-02-20 08:00;2026-02-20 09:00;2;0;0;0;",
                  "2026-02-19 08:00;2026-02-19 09:00;4;0;0;0;", "2026-03-20 08:00;2026-03-20 09:00;8;0;0;0;"});
    writeSettings("[General]\r\nmonthStartDay=20\r\n");
    startMonitor();
    EXPECT_EQ(month().getBytesReceived(), 3);
    controller->stopLogging();
    view.answers = {tw::Answer::Yes};
    ASSERT_TRUE(controller->resetMonth());
    EXPECT_EQ(sessionLines(), (std::vector<std::string>{"2026-02-19 08:00;2026-02-19 09:00;4;0;0;0;",
                                                        "2026-03-20 08:00;2026-03-20 09:00;8;0;0;0;"}));
    EXPECT_EQ(month().getBytesReceived(), 0);
}

TEST_F(MonitorBillingPeriodTest, ANewStartDayInTheSettingsRebuildsTheMonthWithTheRunningSession) {
    clock.setNow(DateTime::fromCivil(2026, 3, 5, 10, 0, 0));
    writeHistory({"2026-02-25 08:00;2026-02-25 09:00;1000;0;0;0;", "2026-03-02 08:00;2026-03-02 09:00;20;0;0;0;"});
    writeSettings(kMonthAlarm);
    startMonitor();
    tick(3, 0);
    EXPECT_EQ(month().getBytesReceived(), 23);
    ASSERT_TRUE(controller->alarms()[0].isShown());
    const int updates = view.totalsUpdates;

    writeSettings(std::string("[General]\r\nmonthStartDay=25\r\n") + kMonthAlarm);
    controller->applySettingsChange();
    EXPECT_EQ(controller->monthStartDay(), 25);
    EXPECT_EQ(month().getBytesReceived(), 1023);
    EXPECT_EQ(today().getBytesReceived(), 3) << "today keeps the running session";
    EXPECT_GT(view.totalsUpdates, updates);
    EXPECT_FALSE(controller->alarms()[0].isShown()) << "another month for the month alarm";

    controller->applySettingsChange(); // nothing changed: nothing rebuilt
    EXPECT_EQ(month().getBytesReceived(), 1023);
}
