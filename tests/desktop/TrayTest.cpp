// The notification area of a real X desktop, used as a person would: double click and popup menu on the icon, with
// real mouse and key input.
#include "desktop/DesktopSession.h"

#include <QElapsedTimer>

using namespace twtest;
using namespace twtest::xdesktop;

namespace {

// The window icon the program shows: it is the logging state's image (no activity images: see writeSettings).
std::string windowIconOf(unsigned long window) {
    return property(window, "_NET_WM_ICON");
}

} // namespace

class TrayTest : public DesktopSession {
protected:
    // Opens the icon's popup menu with the right button; the menu's window, once it shows. While the notification
    // area takes the icon in, the icon may still move or miss a click: the person looks again and clicks again.
    std::optional<unsigned long> openTrayMenu() {
        std::optional<unsigned long> menu;
        eventually([&] {
            const auto icon = waitForTrayIcon();
            if (!icon) {
                return false;
            }
            std::vector<unsigned long> before; // the menu keeps its window from one showing to the next
            for (unsigned long w : programWindows()) {
                if (isViewable(w)) {
                    before.push_back(w);
                }
            }
            click(icon->centreX(), icon->centreY(), 3);
            eventually(
                [&] {
                    for (unsigned long w : programWindows()) {
                        if (std::find(before.begin(), before.end(), w) == before.end() && isViewable(w) &&
                            geometry(w).height > 60) { // not the tooltip
                            menu = w;
                        }
                    }
                    return menu.has_value();
                },
                kRetryMs);
            return menu.has_value();
        });
        return menu;
    }

    // Double-clicks the icon until the main window shows (see openTrayMenu for why again).
    std::optional<unsigned long> openWindowByDoubleClick() {
        std::optional<unsigned long> window;
        eventually([&] {
            const auto icon = waitForTrayIcon();
            if (!icon) {
                return false;
            }
            click(icon->centreX(), icon->centreY(), 1, 2);
            eventually([&] { return (window = viewableWindow("Tallywave")).has_value(); }, kRetryMs);
            return window.has_value();
        });
        return window;
    }

    static constexpr int kRetryMs = 2500;
};

TEST_F(TrayTest, StartedForTheTrayADoubleClickOnTheIconOpensTheWindowAndTheCloseBoxPutsItBack) {
    writeSettings();
    startTray();
    QProcess& program = startProgram({"-winStartUp"});
    const auto icon = waitForTrayIcon();
    ASSERT_TRUE(icon) << "no icon in the notification area";
    EXPECT_TRUE(viewableWindows("^Tallywave$").empty()) << "-winStartUp shows only the icon";

    const auto window = openWindowByDoubleClick();
    ASSERT_TRUE(window) << "double clicks on the icon did not open the window";

    closeBox(*window);
    EXPECT_TRUE(waitUntilNoWindow("Tallywave"));
    EXPECT_EQ(program.state(), QProcess::Running) << "the close box only hides the window";
    EXPECT_TRUE(trayIcon(kTrayClass)) << "the icon stays";
    EXPECT_EQ(endProgram(program), 0);
}

TEST_F(TrayTest, TheMenuItemsAreEnabledAndOpenPauseStartMinimiseAndShutDownWork) {
    writeSettings();
    startTray();
    QProcess& program = startProgram({"-winStartUp"});
    const auto icon = waitForTrayIcon();
    ASSERT_TRUE(icon);

    // Keyboard navigation skips disabled items: with every item greyed out, Down selects nothing.
    const auto menu = openTrayMenu();
    ASSERT_TRUE(menu) << "the right button opened no menu";
    const Rect m = geometry(*menu);
    const Rect i = trayIcon(kTrayClass).value_or(*icon);
    const int left = std::min(m.x, i.x) - 8;
    const int top = std::min(m.y, i.y) - 8;
    screenshot({left, top, std::max(m.x + m.width, i.x + i.width) + 8 - left,
                std::max(m.y + m.height, i.y + i.height) + 8 - top},
               screenshotPath("tray-menu.png"));
    keys({"Down", "Return"}); // "Open Tallywave"
    const auto window = waitForWindow("Tallywave");
    ASSERT_TRUE(window) << "\"Open Tallywave\" did not open the window";
    const std::string loggingIcon = windowIconOf(*window);
    ASSERT_FALSE(loggingIcon.empty());

    ASSERT_TRUE(openTrayMenu());
    keys({"Down", "Down", "Down", "Right", "Return"}); // Logging -> the first enabled item: "Pause"
    EXPECT_TRUE(eventually([&] { return windowIconOf(*window) != loggingIcon; })) << "\"Pause\" changed nothing";

    ASSERT_TRUE(openTrayMenu());
    keys({"Down", "Down", "Down", "Right", "Return"}); // now "Start/Continue" is enabled and first
    EXPECT_TRUE(eventually([&] { return windowIconOf(*window) == loggingIcon; }))
        << "\"Start/Continue\" changed nothing";

    ASSERT_TRUE(openTrayMenu());
    keys({"Down", "Down", "Return"}); // "Minimize to tray"
    EXPECT_TRUE(waitUntilNoWindow("Tallywave"));

    loopbackTraffic(256 * 1024);
    pause(1000); // a pass counts it
    ASSERT_TRUE(openTrayMenu());
    keys({"Up", "Return"}); // "Shut down", the last item
    ASSERT_TRUE(waitForWindow("Tallywave")) << "no question to save the session";
    keys({"Return"}); // "Yes", the default button
    EXPECT_TRUE(waitUntilNoWindow("Tallywave"));

    // The user starts it again at once: the copy that was shut down must not hold the files any more.
    QElapsedTimer sinceGone;
    sinceGone.start();
    QProcess& again = startProgram({"-winStartUp"});
    EXPECT_TRUE(program.waitForFinished(kTimeoutMs));
    std::cout << "[ measured ] the shut-down copy ended " << sinceGone.elapsed() << " ms after its last window\n";
    EXPECT_EQ(program.exitCode(), 0);
    const std::string history = dir.read("datasource.txt");
    EXPECT_NE(history.find(";\r\n"), std::string::npos) << "no session saved:\n" << history;
    EXPECT_EQ(history.find(";0;0;"), std::string::npos) << "the session saved without its traffic:\n" << history;
    eventually([] { return false; }, 2000);
    EXPECT_EQ(again.state(), QProcess::Running) << "the second start was handed to the copy that was ending";
    EXPECT_TRUE(waitForTrayIcon());
}

TEST_F(TrayTest, ANotificationAreaStartedLaterGetsTheIconAndAPanelRestartLeavesTheWindowReachable) {
    writeSettings();
    startProgram({"-winStartUp"});
    // Without a notification area the window waits minimised.
    std::optional<unsigned long> window;
    ASSERT_TRUE(eventually([&] {
        for (unsigned long w : programWindows()) {
            if (windowTitle(w) == "Tallywave" && wmState(w) == "Iconic") {
                window = w;
            }
        }
        return window.has_value();
    })) << "no minimised window without a notification area";

    pause(3000); // the panel comes up late, as at a login
    startTray();
    EXPECT_TRUE(waitForTrayIcon()) << "the notification area that came later got no icon";
    EXPECT_TRUE(eventually([&] { return wmState(*window) != "Iconic"; })) << "the window should go to the tray";
    EXPECT_FALSE(isViewable(*window));

    stopTray(); // the panel restarts
    EXPECT_TRUE(eventually([&] { return wmState(*window) == "Iconic"; }))
        << "without a tray the window must stay reachable";
    startTray();
    EXPECT_TRUE(waitForTrayIcon()) << "the restarted panel got no icon";
}

TEST_F(TrayTest, AnAlarmWithTheTrayPresentOpensTheNotificationWhoseOpenButtonShowsTheWindow) {
    writeSettings("[Alarm]\r\nAlarmDisabled=0\r\nNumAlarms=1\r\nRow1a=download\r\nRow1b=per session\r\n"
                  "Row1c=1024\r\nAudibleAlarm=0\r\n");
    startTray();
    startProgram({"-winStartUp"});
    ASSERT_TRUE(waitForTrayIcon());
    // Traffic until the alarm fires: what goes before the first pass only sets the counters' starting point.
    ASSERT_TRUE(eventually([&] {
        loopbackTraffic(16 * 1024);
        return !viewableWindows("^Tallywave Alarm!$").empty();
    }));
    const auto notification = waitForWindow("Tallywave Alarm!");
    ASSERT_TRUE(notification) << "the alarm fired but no notification showed";
    const Rect area = geometry(*notification);
    pause(500); // drawn
    screenshot(area, screenshotPath("alarm-notification.png"));

    // "Open Tallywave" is the button at the bottom right.
    click(area.x + area.width - 90, area.y + area.height - 31, 1);
    EXPECT_TRUE(waitForWindow("Tallywave")) << "\"Open Tallywave\" did not show the main window";
    EXPECT_TRUE(waitUntilNoWindow("Tallywave Alarm!"));
}
