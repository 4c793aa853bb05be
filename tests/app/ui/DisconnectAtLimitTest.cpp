// An alarm with "Automatic disconnection" in the main window: the notification counts down, then the engine's
// monitored links go to the disconnector.
#include "MainWindowFixture.h"

#include "alarms/ui/AlarmNotifier.h"
#include "alarms/ui/splashForm.h"
#include "platform/fake/FakeLinkDisconnector.h"

#include <QTest>

using namespace twtest;

TEST_F(MainWindowTest, AnAlarmWithAutomaticDisconnectionTakesTheMonitoredLinksOffAfterTheCountdown) {
    dir.write("settings.txt", "[General]\r\nrefreshCombo=9\r\n[Alarm]\r\nAlarmDisabled=0\r\nNumAlarms=1\r\n"
                              "Row1a=download/upload\r\nRow1b=per month\r\nRow1c=1024\r\nAudibleAlarm=0\r\n"
                              "automaticDisconnect=1\r\nSecondsDelay=1\r\nNoCancelDisconnect=1\r\n");
    tw::frmMain& w = open();
    auto disconnector = std::make_unique<tw::FakeLinkDisconnector>();
    tw::FakeLinkDisconnector& fake = *disconnector;
    w.launcher().setLinkDisconnector(std::move(disconnector));
    w.show();
    tick(100, 0);
    EXPECT_EQ(w.launcher().notifier().window(), nullptr);

    engineHandle->links = {"eth0"}; // the links counted when the alarm's countdown ends
    tick(2000, 0);
    tw::splashForm* notification = w.launcher().notifier().window();
    ASSERT_NE(notification, nullptr);
    EXPECT_EQ(notification->countdown(), tw::splashForm::Countdown::Running);
    engineHandle->links = {"eth0", "wwan0"};
    ASSERT_TRUE(QTest::qWaitFor([&] { return notification->countdown() == tw::splashForm::Countdown::Done; }, 3000));
    EXPECT_EQ(fake.calls, (std::vector<std::vector<std::string>>{{"eth0", "wwan0"}}));
    EXPECT_EQ(notification->lines().last(), "Disconnected wwan0");
    w.launcher().notifier().unload();
}
