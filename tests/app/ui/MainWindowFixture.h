#pragma once

#include "app/AppPaths.h"
#include "app/ui/MonitoredEngine.h"
#include "app/ui/SystemTray.h"
#include "app/ui/WebPages.h"
#include "app/ui/frmMain.h"
#include "platform/fake/FakeClock.h"
#include "platform/fake/FakeStartupEntry.h"
#include "support/FakeEngine.h"
#include "support/TempDir.h"

#include <QAction>
#include <QLocale>
#include <QUrl>
#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

namespace twtest {

// A part of the window by its object name (a QAction when no type is given); a missing one fails the test.
template <typename T = QAction> T* named(const QObject& window, const char* name) {
    T* found = window.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << "no " << name;
    return found;
}

inline tw::SystemTray* trayOf(const QObject& window) {
    return window.findChild<tw::SystemTray*>();
}

class ScriptedMonitoredEngine final : public tw::MonitoredEngine {
public:
    tw::TrafficEngine& engine() override { return fake; }
    tw::ConnectionsStatus reloadConnections(const std::string&) override {
        ++reloads;
        return {"Multiple connections", "Name of the monitored connection(s)."};
    }
    std::string connectionsToolTip() override { return toolTipNow; }
    std::vector<std::string> monitoredLinks() override { return links; }
    FakeEngine fake;
    std::string toolTipNow;
    std::vector<std::string> links;
    int reloads = 0;
};

// A main window over temporary files, a fake clock and a scripted engine; URLs are recorded, never opened.
class MainWindowTest : public ::testing::Test {
protected:
    MainWindowTest() {
        // Amounts are checked with the decimal point; a test that wants another locale sets it itself.
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        // A long refresh period keeps Timer1 quiet while a test answers dialogs.
        dir.write("settings.txt", "[General]\r\nrefreshCombo=9\r\n");
        m_previousOpener = tw::setUrlOpener([this](const QUrl& url) {
            openedUrls.push_back(url);
            return opensSucceed;
        });
    }
    ~MainWindowTest() override {
        window.reset();
        tw::setUrlOpener(m_previousOpener);
        tw::SystemTray::setAvailabilityForTesting(std::nullopt);
    }

    tw::AppPaths paths() const {
        tw::AppPaths p;
        p.exeDir = dir.path().string();
        p.resourceDir = dir.path().string();
        p.settingsPath = dir.file("settings.txt");
        p.historyPath = dir.file("datasource.txt");
        return p;
    }

    tw::frmMain& open(tw::MainWindowOptions options = {}) {
        auto engine = std::make_unique<ScriptedMonitoredEngine>();
        engineHandle = engine.get();
        window = std::make_unique<tw::frmMain>(paths(), options, clock, std::move(engine));
        window->launcher().setStartupEntry(std::make_unique<tw::FakeStartupEntry>());
        return *window;
    }

    // One monitor pass after the given time, with the given deltas.
    void tick(std::uint64_t received, std::uint64_t sent, std::uint64_t afterMs = 1000) {
        engineHandle->fake.traffic(received, sent);
        clock.advanceMs(afterMs);
        window->controller().monitorTick();
    }

    TempDir dir;
    tw::FakeClock clock{tw::DateTime::fromCivil(2026, 3, 10, 12, 0, 0)};
    ScriptedMonitoredEngine* engineHandle = nullptr;
    std::unique_ptr<tw::frmMain> window;
    std::vector<QUrl> openedUrls;
    bool opensSucceed = true;

private:
    tw::UrlOpener m_previousOpener;
};

} // namespace twtest
