// A StatusNotifierItem notification area (the kind of KDE Plasma and of GNOME's AppIndicator), here the standalone
// GTK host from Debian, which also runs the D-Bus watcher. The program talks to it over the session bus; the host
// draws the icon and the popup menu itself. Needs the session bus that scripts/test-desktop.sh gives the tests.
#include "desktop/DesktopSession.h"

#include <QStandardPaths>

using namespace twtest;
using namespace twtest::xdesktop;

class StatusNotifierTest : public DesktopSession {
protected:
    void SetUp() override {
        DesktopSession::SetUp();
        if (IsSkipped()) {
            return;
        }
        if (qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS")) {
            GTEST_SKIP() << "needs a session bus";
        }
        if (QStandardPaths::findExecutable("gtk-sni-tray-standalone").isEmpty()) {
            GTEST_SKIP() << "no StatusNotifierItem host installed (haskell-gtk-sni-tray-utils)";
        }
        m_host.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_host.setStandardOutputFile(QProcess::nullDevice());
        m_host.start("gtk-sni-tray-standalone", {"--watcher", "--bottom", "--end", "--size", "30"});
        ASSERT_TRUE(m_host.waitForStarted());
        ASSERT_TRUE(eventually([this] { return bar().has_value(); })) << "the host's bar never showed";
    }
    void TearDown() override {
        DesktopSession::TearDown();
        if (m_host.state() != QProcess::NotRunning) {
            m_host.terminate();
            if (!m_host.waitForFinished(5000)) {
                m_host.kill();
                m_host.waitForFinished();
            }
        }
    }

    // The host's bar along the bottom of the screen.
    static std::optional<Rect> bar() {
        for (unsigned long w : viewableWindowsOfClass("gtk-sni-tray-standalone")) {
            const Rect r = geometry(w);
            if (r.width > 200) {
                return r;
            }
        }
        return std::nullopt;
    }
    // The items the watcher knows, as dbus-send prints them.
    static std::string registeredItems() {
        const std::string reply =
            run("dbus-send", {"--session", "--print-reply", "--dest=org.kde.StatusNotifierWatcher",
                              "/StatusNotifierWatcher", "org.freedesktop.DBus.Properties.Get",
                              "string:org.kde.StatusNotifierWatcher", "string:RegisteredStatusNotifierItems"});
        const std::size_t item = reply.find("string \"");
        return item == std::string::npos ? std::string() : reply.substr(item);
    }
    // With the bar's items at its end, the only one sits in the last square of the bar.
    static std::pair<int, int> iconCentre(const Rect& r) { return {r.x + r.width - r.height / 2, r.centreY()}; }

    QProcess m_host;
};

TEST_F(StatusNotifierTest, TheIconRegistersAndAClickOrItsMenuOpensTheWindow) {
    writeSettings();
    QProcess& program = startProgram({"-winStartUp"});
    ASSERT_TRUE(eventually([] { return !registeredItems().empty(); })) << "the program registered no item";
    EXPECT_TRUE(viewableWindows("^Tallywave$").empty()) << "-winStartUp shows only the icon";
    const Rect area = *bar();
    const auto [x, y] = iconCentre(area);

    // A host has no double click: its activation, a left click, opens the window.
    std::optional<unsigned long> window;
    ASSERT_TRUE(eventually([&] {
        click(x, y, 1);
        return eventually([&] { return (window = viewableWindow("Tallywave")).has_value(); }, 2500);
    })) << "a click on the icon did not open the window";
    closeBox(*window);
    ASSERT_TRUE(waitUntilNoWindow("Tallywave"));

    // The host draws the menu from what the program exports: "Open Tallywave" first, and enabled.
    std::optional<unsigned long> menu;
    ASSERT_TRUE(eventually([&] {
        click(x, y, 3);
        return eventually(
            [&] {
                for (unsigned long w : viewableWindowsOfClass("gtk-sni-tray-standalone")) {
                    const Rect r = geometry(w);
                    if (r.width < 400 && r.height > 60) {
                        menu = w;
                    }
                }
                return menu.has_value();
            },
            2500);
    })) << "the right button opened no menu";
    const Rect m = geometry(*menu);
    screenshot({m.x - 8, std::min(m.y, area.y) - 8, std::max(m.x + m.width, area.x + area.width) - m.x + 8,
                std::max(m.y + m.height, area.y + area.height) - std::min(m.y, area.y) + 16},
               screenshotPath("tray-menu-statusnotifier.png"));
    pause(500);                            // a GTK menu ignores a click that comes right after it opens
    click(m.x + m.width / 2, m.y + 16, 1); // the first item
    EXPECT_TRUE(waitForWindow("Tallywave")) << "\"Open Tallywave\" in the host's menu did not open the window";
    EXPECT_EQ(endProgram(program), 0);
}
