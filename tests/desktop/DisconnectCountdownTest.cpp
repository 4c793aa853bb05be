// An alarm with "Automatic disconnection" on a real X desktop, used as a person would: the notification counts down,
// its Cancel button is clicked with the mouse; without Cancel the monitored link is disconnected after the
// countdown (here it cannot be: a normal user may not set the loopback down, and the window says so).
#include "desktop/DesktopSession.h"

#include <QProcessEnvironment>

#include <unistd.h>

using namespace twtest;
using namespace twtest::xdesktop;

namespace {

constexpr const char* kAlarm = "[Alarm]\r\nAlarmDisabled=0\r\nNumAlarms=1\r\nRow1a=download\r\nRow1b=per session\r\n"
                               "Row1c=1024\r\nAudibleAlarm=0\r\nautomaticDisconnect=1\r\n";

class DisconnectCountdownTest : public DesktopSession {
protected:
    void SetUp() override {
        DesktopSession::SetUp();
        if (IsSkipped()) {
            return;
        }
        if (::geteuid() == 0) {
            GTEST_SKIP() << "as root the countdown would really set the loopback down";
        }
    }
    void TearDown() override {
        if (m_program) {
            endProgram(*m_program);
        }
        DesktopSession::TearDown();
    }

    // The program, its output kept for the test. NetworkManager is out of reach, so that the loopback is never
    // handed to it whatever desktop the test runs on.
    QProcess& start() {
        m_program = std::make_unique<QProcess>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "xcb");
        env.insert("DBUS_SYSTEM_BUS_ADDRESS", "unix:path=/nonexistent/system_bus_socket");
        m_program->setProcessEnvironment(env);
        m_program->setProcessChannelMode(QProcess::MergedChannels);
        m_program->start(QString::fromStdString(dir.file("tallywave")), {});
        EXPECT_TRUE(m_program->waitForStarted());
        return *m_program;
    }
    bool outputShows(const QString& text, int timeoutMs = kTimeoutMs) {
        return eventually(
            [&] {
                m_output += QString::fromLocal8Bit(m_program->readAll());
                return m_output.contains(text);
            },
            timeoutMs);
    }
    // Traffic until the alarm fires and its notification shows.
    std::optional<Rect> waitForNotification() {
        const bool shown = eventually([&] {
            loopbackTraffic(16 * 1024);
            return viewableWindow("Tallywave Alarm!").has_value();
        });
        if (!shown) {
            return std::nullopt;
        }
        pause(500); // drawn
        return geometry(*viewableWindow("Tallywave Alarm!"));
    }

    QString m_output;
    std::unique_ptr<QProcess> m_program;
};

} // namespace

TEST_F(DisconnectCountdownTest, CancelClickedDuringTheCountdownDisconnectsNothing) {
    writeSettings(std::string(kAlarm) + "SecondsDelay=8\r\n");
    start();
    const auto area = waitForNotification();
    ASSERT_TRUE(area) << "the alarm fired no notification";
    screenshot(*area, screenshotPath("alarm-disconnect.png"));
    ASSERT_TRUE(outputShows("disconnecting in 8 s"));

    click(area->x + area->width - 63, area->y + 175, 1); // "Cancel", right of the countdown
    EXPECT_TRUE(outputShows("automatic disconnection cancelled", 5000)) << m_output.toStdString();
    pause(9000); // past the end of the countdown
    m_output += QString::fromLocal8Bit(m_program->readAll());
    EXPECT_FALSE(m_output.contains("disconnected")) << m_output.toStdString();

    click(area->x + 63, area->y + area->height - 31, 1); // "OK", shown again
    EXPECT_TRUE(waitUntilNoWindow("Tallywave Alarm!"));
}

TEST_F(DisconnectCountdownTest, WithoutCancelTheCountdownEndsInADisconnectionAndTheWindowSaysHowItWent) {
    writeSettings(std::string(kAlarm) + "SecondsDelay=2\r\nNoCancelDisconnect=1\r\n");
    start();
    const auto area = waitForNotification();
    ASSERT_TRUE(area) << "the alarm fired no notification";
    closeBox(*viewableWindow("Tallywave Alarm!"));
    EXPECT_TRUE(outputShows("lo was not disconnected: Operation not permitted")) << m_output.toStdString();
    EXPECT_TRUE(viewableWindow("Tallywave Alarm!")) << "the countdown kept the window";
    click(area->x + 63, area->y + area->height - 31, 1); // "OK"
    EXPECT_TRUE(waitUntilNoWindow("Tallywave Alarm!"));
}
