#include "app/MonitorFixture.h"

using tw::DateTime;
using tw::TrayImage;
using twtest::MonitorTest;

namespace {

using MonitorLoopTest = MonitorTest;

constexpr std::int32_t kMaxRate = 2147483647;

} // namespace

TEST_F(MonitorLoopTest, SpeedsAreDeltasPerElapsedTimeWithTheFirstPassTakenAsTenSeconds) {
    startMonitor();
    tick(800, 0);
    EXPECT_EQ(view.speeds, std::make_pair(80, 0));
    tick(1500, 250, 250);
    EXPECT_EQ(view.speeds, std::make_pair(6000, 1000));
    tick(1, 0, 3);
    EXPECT_EQ(view.speeds, std::make_pair(333, 0));
    EXPECT_EQ(session().getMaxDownloadRate(), 6000) << "the maximum only grows";
    EXPECT_EQ(session().getMaxUploadRate(), 1000);
    EXPECT_EQ(session().getLastDownloadRate(), 333);
    EXPECT_EQ(today().getMaxDownloadRate(), 0) << "today and the month keep no rates";
    for (const auto* period : {&session(), &today(), &month()}) {
        EXPECT_EQ(period->getBytesReceived(), 2301);
        EXPECT_EQ(period->getBytesSent(), 250);
    }
}

TEST_F(MonitorLoopTest, APassWithinTheClocksResolutionCountsTheBytesButKeepsThePreviousSpeeds) {
    startMonitor();
    tick(0, 0);
    tick(2000, 1000, 500);
    tick(700, 700, 0);
    EXPECT_EQ(view.speeds, std::make_pair(4000, 2000));
    EXPECT_EQ(session().getBytesReceived(), 2700);
    EXPECT_EQ(view.chartSamples.back(), std::make_pair(4000, 2000));
}

TEST_F(MonitorLoopTest, SpeedsBeyondTheRateFieldsAreClampedWhileAmountsStayExact) {
    startMonitor();
    tick(0, 0);
    tick(5'000'000'000ULL, 3'000'000'000ULL);
    EXPECT_EQ(view.speeds, std::make_pair(kMaxRate, kMaxRate));
    EXPECT_EQ(session().getMaxDownloadRate(), kMaxRate);
    EXPECT_EQ(session().getBytesReceived(), 5'000'000'000.0);
    EXPECT_EQ(month().getBytesSent(), 3'000'000'000.0);
}

TEST_F(MonitorLoopTest, ElapsedTimeAcrossTheOld32BitWrapIsMeasuredSoundly) {
    clock.setMonotonicMs((1ULL << 32) - 500);
    startMonitor();
    tick(0, 0);
    tick(1000, 0, 1000);
    EXPECT_EQ(view.speeds.first, 1000);
}

TEST_F(MonitorLoopTest, TheTrayShowsActivityAgainstTheIconSensitivity) {
    writeSettings("[General]\r\nbytesText=1\r\nbytesCombo=1\r\n");
    startMonitor();
    EXPECT_EQ(controller->iconSensitivity(), 1024);
    tick(20000, 1000, 10000);
    EXPECT_EQ(view.trayImage, TrayImage::Download);
    tick(1024, 1024);
    EXPECT_EQ(view.trayImage, TrayImage::Both);
    tick(100, 2000);
    EXPECT_EQ(view.trayImage, TrayImage::Upload);
    tick(1023, 0);
    EXPECT_EQ(view.trayImage, TrayImage::Idle);

    writeSettings("[General]\r\nbytesText=2\r\nbytesCombo=1\r\n");
    controller->applySettingsChange();
    tick(2047, 2048);
    EXPECT_EQ(view.trayImage, TrayImage::Upload) << "the settings window's threshold applies after it closed";
}

TEST_F(MonitorLoopTest, AmountsAreRedrawnOnlyWhileTheWindowIsVisible) {
    startMonitor();
    view.visible = false;
    tick(10, 10);
    tick(10, 10);
    EXPECT_EQ(view.totalsUpdates, 0);
    EXPECT_EQ(view.chartSamples.size(), 2u);
    view.visible = true;
    tick(10, 10);
    EXPECT_EQ(view.totalsUpdates, 1);
}

TEST_F(MonitorLoopTest, TheRefreshIntervalComesFromTheSettingsWithOneSecondForAnyUnknownIndex) {
    startMonitor();
    EXPECT_TRUE(view.timerRunning);
    EXPECT_EQ(view.timerIntervalMs, 1000);
    for (const auto& [index, expected] :
         std::vector<std::pair<std::string, int>>{{"0", 250}, {"9", 60000}, {"10", 1000}, {"-1", 1000}, {"x", 1000}}) {
        writeSettings("[General]\r\nrefreshCombo=" + index + "\r\n");
        EXPECT_EQ(controller->applyRefreshInterval(), expected) << index;
        EXPECT_EQ(view.timerIntervalMs, expected) << index;
    }
}

TEST_F(MonitorLoopTest, ASettingsChangeWhilePausedDoesNotStartTheTimer) {
    startMonitor();
    controller->pause();
    writeSettings("[General]\r\nrefreshCombo=0\r\n");
    engine.traffic(999, 999);
    controller->applySettingsChange();
    EXPECT_FALSE(view.timerRunning);
    controller->startContinue();
    EXPECT_EQ(view.timerIntervalMs, 1000) << "the new interval waits for a change made while logging";
    tick(0, 0);
    EXPECT_EQ(session().getBytesReceived(), 0) << "the jump from the new connections is dropped";
}

// --- Alarms -------------------------------------------------------------------------------------------------------

namespace {

const std::string kTwoAlarms = "[Alarm]\r\nAlarmDisabled=0\r\nNumAlarms=2\r\n"
                               "Row1a=download\r\nRow1b=per session\r\nRow1c=1000\r\n"
                               "Row2a=download speed\r\nRow2b=per second\r\nRow2c=500\r\n";

} // namespace

TEST_F(MonitorLoopTest, WithoutRulesTheStatusReadsNoAlarmOnEveryPass) {
    startMonitor();
    tick(1'000'000, 0);
    EXPECT_EQ(view.alarmStatus, "No alarm");
    EXPECT_FALSE(controller->evaluateAlarms());
    EXPECT_TRUE(view.notifications.empty());
}

TEST_F(MonitorLoopTest, AFiredAlarmIsNotifiedOnceAndThenKeepsTheStatusWhileAboveItsLimit) {
    writeSettings(kTwoAlarms);
    startMonitor();
    tick(400, 0, 1000);
    EXPECT_EQ(view.alarmStatus, "Alarm enabled");
    tick(700, 0, 1000); // 1100 bytes in the session, 700 bytes/s: both fire in the same pass
    ASSERT_EQ(view.notifications.size(), 1u);
    EXPECT_EQ(view.notifications[0], (std::vector<std::string>{"Download speed limit of 500 bytes/second.",
                                                               "Download limit of 1000 bytes/session."}))
        << "later rules are listed first";
    EXPECT_EQ(view.alarmStatus, "Alarm triggered");
    tick(0, 0, 1000); // the speed fell back, the session amount is still above
    EXPECT_EQ(view.notifications.size(), 1u);
    EXPECT_EQ(view.alarmStatus, "Alarm triggered");
    EXPECT_TRUE(controller->alarms()[1].isTriggered());
}

TEST_F(MonitorLoopTest, AnAlarmThatCannotBeShownStaysPendingForTheNextPass) {
    writeSettings(kTwoAlarms);
    startMonitor();
    view.notificationPossible = false;
    tick(2000, 0, 10000);
    EXPECT_TRUE(view.notifications.empty());
    EXPECT_FALSE(controller->alarms()[0].isShown());
    EXPECT_EQ(view.alarmStatus, "Alarm triggered");
    view.notificationPossible = true;
    tick(0, 0);
    ASSERT_EQ(view.notifications.size(), 1u);
    EXPECT_EQ(view.notifications[0], std::vector<std::string>{"Download limit of 1000 bytes/session."});
    EXPECT_TRUE(controller->alarms()[0].isShown());
}

TEST_F(MonitorLoopTest, RebuiltRulesFireAgainWhenStillAboveTheLimit) {
    writeSettings(kTwoAlarms);
    startMonitor();
    tick(2000, 0, 10000);
    ASSERT_EQ(view.notifications.size(), 1u);
    controller->reloadAlarmRules();
    tick(0, 0);
    EXPECT_EQ(view.notifications.size(), 2u);
}

// --- Day and month roll-over --------------------------------------------------------------------------------------

TEST_F(MonitorLoopTest, TheFirstPassOfANewMonthWritesTheDayAndResetsDailyAndMonthlyAlarms) {
    clock.setNow(DateTime::fromCivil(2026, 1, 31, 23, 0, 0));
    writeHistory({"2026-01-31 08:00;2026-01-31 09:00;100;10;5;1;", "2026-01-02 08:00;2026-01-02 09:00;1000;10;5;1;"});
    writeSettings("[Alarm]\r\nAlarmDisabled=0\r\nNumAlarms=3\r\nRow1a=download\r\nRow1b=per day\r\nRow1c=10\r\n"
                  "Row2a=download\r\nRow2b=per month\r\nRow2c=10\r\nRow3a=download\r\nRow3b=per session\r\n"
                  "Row3c=10\r\n");
    startMonitor();
    tick(5000, 300, 1000);
    tick(5000, 300, 1000);
    ASSERT_EQ(view.notifications.size(), 1u);
    EXPECT_EQ(today().getBytesReceived(), 10100);
    EXPECT_EQ(month().getBytesReceived(), 11100);

    view.notificationPossible = false; // keep the session rule's state visible after the roll-over
    clock.setNow(DateTime::fromCivil(2026, 2, 1, 0, 0, 9));
    tick(0, 0, 1000); // at 00:00:10

    const auto lines = sessionLines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[2], "2026-01-31 23:00;2026-01-31 23:59;10000;600;5000;300;");
    EXPECT_FALSE(controller->alarms()[0].isTriggered());
    EXPECT_FALSE(controller->alarms()[0].isShown());
    EXPECT_FALSE(controller->alarms()[1].isTriggered());
    EXPECT_FALSE(controller->alarms()[1].isShown());
    EXPECT_TRUE(controller->alarms()[2].isShown()) << "a session rule lives on";
    EXPECT_EQ(today().getBytesReceived(), 0);
    EXPECT_EQ(month().getBytesReceived(), 0);
    EXPECT_EQ(today().getDate(), DateTime::fromCivil(2026, 2, 1, 0, 0, 10));
    EXPECT_EQ(session().getDate(), DateTime::fromCivil(2026, 2, 1, 0, 0, 10));
    EXPECT_EQ(session().getBytesReceived(), 10000) << "the session panel keeps the whole session";
    EXPECT_EQ(session().netBytesReceived(), 0);
    EXPECT_EQ(session().getMaxDownloadRate(), 0);

    tick(42, 0, 1000);
    view.answers = {tw::Answer::Yes};
    controller->stopLogging();
    EXPECT_EQ(sessionLines().back(), "2026-02-01 00:00;2026-02-01 00:00;42;0;42;0;")
        << "only the bytes after midnight belong to the new day";
}

TEST_F(MonitorLoopTest, ADayRollOverInsideTheMonthKeepsTheMonthAndItsAlarms) {
    clock.setNow(DateTime::fromCivil(2026, 3, 14, 23, 59, 30));
    writeSettings("[Alarm]\r\nAlarmDisabled=0\r\nNumAlarms=1\r\nRow1a=download\r\nRow1b=per month\r\nRow1c=10\r\n");
    startMonitor();
    tick(100, 0);
    ASSERT_TRUE(controller->alarms()[0].isShown());
    clock.setNow(DateTime::fromCivil(2026, 3, 15, 0, 0, 5));
    tick(1, 0); // counted before the day is written
    EXPECT_EQ(sessionLines(), std::vector<std::string>{"2026-03-14 23:59;2026-03-14 23:59;101;0;10;0;"});
    EXPECT_EQ(today().getBytesReceived(), 0);
    EXPECT_EQ(month().getBytesReceived(), 101) << "the month is rebuilt from the file";
    EXPECT_TRUE(controller->alarms()[0].isShown());
}

TEST_F(MonitorLoopTest, ASessionWithoutTrafficIsNotWrittenAtMidnightButTheDayStillTurns) {
    clock.setNow(DateTime::fromCivil(2026, 3, 14, 23, 59, 0));
    startMonitor();
    tick(0, 0);
    clock.setNow(DateTime::fromCivil(2026, 3, 15, 0, 0, 59));
    tick(0, 0);
    EXPECT_TRUE(sessionLines().empty());
    EXPECT_EQ(today().getDate(), DateTime::fromCivil(2026, 3, 15, 0, 1, 0));
    EXPECT_EQ(session().getDate(), DateTime::fromCivil(2026, 3, 15, 0, 1, 0));
}
