#pragma once

#include "desktop/XDesktop.h"
#include "e2e/TallywaveProcessWait.h"
#include "support/TempDir.h"

#include <QProcess>
#include <QString>
#include <QStringList>
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <vector>

namespace twtest {

// One test in the real X session that scripts/test-desktop.sh prepares (Xvfb and a window manager, this test run as
// a normal user): a portable copy of the real program in a fresh folder, started on the xcb platform, and an XEmbed
// notification area (trayer) the test starts and stops itself. Everything started here is ended after the test.
class DesktopSession : public ::testing::Test {
protected:
    static constexpr const char* kTrayClass = "trayer";
    static constexpr int kTimeoutMs = 20000;

    // Polls the condition (events go on meanwhile) until it holds or the time is up.
    template <typename Pred> static bool eventually(Pred pred, int timeoutMs = kTimeoutMs) {
        return waitFor(pred, timeoutMs);
    }
    // A wait that no condition can replace: the scenario itself takes this time.
    static void pause(int ms) {
        waitFor([] { return false; }, ms);
    }

    void SetUp() override;
    void TearDown() override;

    void startTray();
    void stopTray();
    QProcess& startProgram(const QStringList& args);
    // Ends the program with SIGTERM (its shutdown path) and gives its exit code, -1 if it did not end.
    int endProgram(QProcess& program);

    // Waits for the program's icon in the notification area.
    std::optional<xdesktop::Rect> waitForTrayIcon();
    // A viewable window with exactly this title, now.
    static std::optional<unsigned long> viewableWindow(const QString& title);
    // Waits for one viewable window with exactly this title.
    std::optional<unsigned long> waitForWindow(const QString& title);
    bool waitUntilNoWindow(const QString& title);

    // Sends traffic through the loopback interface, which the test settings monitor.
    static void loopbackTraffic(qint64 bytes);
    // Settings that monitor only the loopback interface, refresh four times a second and keep the icon's activity
    // images away (threshold 1000 MB/s), followed by the extra text.
    void writeSettings(const std::string& extra = {}) const;

    // Where the pictures of the session go: $TALLYWAVE_SCREENSHOT_DIR, else the test folder's parent.
    static QString screenshotPath(const QString& name);

    TempDir dir;

private:
    std::unique_ptr<QProcess> m_tray;
    std::vector<std::unique_ptr<QProcess>> m_programs;
};

} // namespace twtest
