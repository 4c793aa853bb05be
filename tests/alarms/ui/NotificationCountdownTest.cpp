// The notification window's countdown to an automatic disconnection: real clicks through the window system's entry
// point, real seconds.
#include "alarms/ui/AlarmNotifier.h"
#include "alarms/ui/splashForm.h"
#include "platform/fake/FakeLinkDisconnector.h"
#include "widgets/ui/clsButton.h"

#include "FakeAlarmSound.h"
#include "support/TempDir.h"

#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <QWindow>
#include <gtest/gtest.h>

namespace {

class NotificationCountdownTest : public testing::Test {
protected:
    NotificationCountdownTest() : notifier(dir.file("settings.txt"), dir.file("wakeup.wav"), [] { return false; }) {
        notifier.setSoundFactory([] { return new twtest::FakeAlarmSound; });
        notifier.setDisconnect([this] { return disconnector.disconnect(links); });
    }
    ~NotificationCountdownTest() override { notifier.unload(); }

    void settings(const std::string& alarmSection) { dir.write("settings.txt", "[Alarm]\r\n" + alarmSection); }

    tw::splashForm* show() {
        EXPECT_TRUE(notifier.show({"Download limit of 1 GB/month."}));
        return notifier.window();
    }
    QString countdownText() const {
        auto* label = notifier.window()->findChild<QLabel*>("countdownLabel");
        return label ? label->text() : QStringLiteral("<no countdown>");
    }
    // A left click on the button, given to the window as the window system gives it.
    static void click(tw::splashForm* window, const char* buttonName) {
        auto* button = window->findChild<tw::clsButton*>(buttonName);
        ASSERT_NE(button, nullptr) << buttonName;
        ASSERT_TRUE(button->isVisible()) << buttonName;
        QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, button->mapTo(window, button->rect().center()));
    }
    static bool buttonShown(tw::splashForm* window, const char* name) {
        auto* button = window->findChild<tw::clsButton*>(name);
        return button != nullptr && button->isVisible();
    }

    twtest::TempDir dir;
    tw::FakeLinkDisconnector disconnector;
    std::vector<std::string> links{"eth0"};
    tw::AlarmNotifier notifier;
};

} // namespace

TEST_F(NotificationCountdownTest, withoutAutomaticDisconnectionTheWindowIsAsItWas) {
    settings("SecondsDelay=3\r\nNoCancelDisconnect=0\r\n");
    tw::splashForm* window = show();
    EXPECT_EQ(window->height(), 210);
    EXPECT_EQ(countdownText(), "<no countdown>");
    EXPECT_FALSE(buttonShown(window, "cancelButton"));
    EXPECT_TRUE(buttonShown(window, "okButton"));
    EXPECT_EQ(window->countdown(), tw::splashForm::Countdown::Off);
    QTest::qWait(1200);
    EXPECT_TRUE(disconnector.calls.empty());
}

TEST_F(NotificationCountdownTest, cancelStopsTheCountdownAndNothingIsDisconnected) {
    settings("automaticDisconnect=1\r\nSecondsDelay=2\r\n");
    tw::splashForm* window = show();
    EXPECT_GT(window->height(), 210);
    EXPECT_EQ(countdownText(), "Disconnecting in 2 seconds");
    EXPECT_TRUE(buttonShown(window, "cancelButton"));
    EXPECT_FALSE(buttonShown(window, "okButton")) << "closing would end the countdown";
    EXPECT_TRUE(QTest::qWaitFor([&] { return countdownText() == "Disconnecting in 1 second"; }, 2000));

    click(window, "cancelButton");
    EXPECT_EQ(window->countdown(), tw::splashForm::Countdown::Cancelled);
    EXPECT_EQ(countdownText(), "Disconnection cancelled");
    EXPECT_FALSE(buttonShown(window, "cancelButton"));
    EXPECT_TRUE(buttonShown(window, "okButton"));
    QTest::qWait(1500);
    EXPECT_TRUE(disconnector.calls.empty());
    EXPECT_EQ(window->lines(), QStringList{"Download limit of 1 GB/month."});

    QPointer<tw::splashForm> closing = window;
    click(window, "okButton");
    EXPECT_FALSE(closing && closing->isVisible());
}

TEST_F(NotificationCountdownTest, withoutCancelTheWindowStaysUntilTheMonitoredLinksAreDisconnectedAndSaysHowItWent) {
    settings("automaticDisconnect=1\r\nSecondsDelay=1\r\nNoCancelDisconnect=1\r\n");
    links = {"eth0", "wlan0"};
    disconnector.refused = {"wlan0"};
    QSignalSpy openRequests(&notifier, &tw::AlarmNotifier::openMainWindowRequested);
    tw::splashForm* window = show();
    EXPECT_EQ(window->findChild<tw::clsButton*>("cancelButton"), nullptr);
    EXPECT_EQ(countdownText(), "Disconnecting in 1 second");

    window->close(); // the desktop's close
    click(window, "openButton");
    EXPECT_EQ(openRequests.count(), 1);
    EXPECT_TRUE(window->isVisible()) << "the countdown goes on";

    ASSERT_TRUE(QTest::qWaitFor([&] { return window->countdown() == tw::splashForm::Countdown::Done; }, 3000));
    EXPECT_EQ(disconnector.calls, (std::vector<std::vector<std::string>>{{"eth0", "wlan0"}}));
    EXPECT_EQ(window->lines(), (QStringList{"Download limit of 1 GB/month.", "Disconnected eth0",
                                            "wlan0 was not disconnected: Operation not permitted"}));
    EXPECT_EQ(countdownText(), "Partly disconnected");
    EXPECT_TRUE(buttonShown(window, "okButton"));

    // Later alarms join the list; the countdown does not start again.
    ASSERT_TRUE(notifier.show({"Upload limit of 1 GB/month."}));
    EXPECT_EQ(window->lines().last(), "Upload limit of 1 GB/month.");
    QTest::qWait(1200);
    EXPECT_EQ(disconnector.calls.size(), 1u);
}

TEST_F(NotificationCountdownTest, noMonitoredLinkMeansNothingToDisconnect) {
    settings("automaticDisconnect=1\r\nSecondsDelay=1\r\n");
    links.clear();
    notifier.setDisconnect([] { return std::vector<tw::DisconnectOutcome>{}; });
    tw::splashForm* window = show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->countdown() == tw::splashForm::Countdown::Done; }, 3000));
    EXPECT_EQ(window->lines().last(), "No monitored connection to disconnect.");
    EXPECT_EQ(countdownText(), "Not disconnected");
}
