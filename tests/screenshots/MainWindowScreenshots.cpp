// The main window with its bar and its line chart, the About window and the progress window.
#include "Screenshots.h"
#include "app/ui/MainWindowFixture.h"

#include "app/ui/LiveChart.h"
#include "app/ui/MainStatusBar.h"
#include "app/ui/frmAbout.h"
#include "app/ui/frmSplash.h"
#include "history/HistoryFile.h"

#include <QLocale>

#include <cmath>

using namespace twtest;

class MainWindowScreenshots : public MainWindowTest {
protected:
    void render(bool bars, const char* name, const std::string& moreSettings = {}) {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        dir.write("settings.txt", std::string("[General]\r\nrefreshCombo=9\r\nshowBarChart=") +
                                      (bars ? "True" : "False") + "\r\n" + moreSettings);
        // Earlier sessions of this month and of today.
        std::string history;
        for (const auto& line : tw::historyHeaderLines(tw::DateTime::fromCivil(2026, 3, 1))) {
            history += line + "\r\n";
        }
        history += "2026-03-02 08:10;2026-03-02 17:45;1876543210;234567890;1048576;262144;\r\n"
                   "2026-03-06 09:00;2026-03-06 18:30;2345678901;312345678;1572864;393216;\r\n"
                   "2026-03-10 07:30;2026-03-10 11:55;734003200;96468992;917504;196608;\r\n";
        dir.write("datasource.txt", history);

        tw::frmMain& w = open();
        w.resize(560, 600);
        w.show();
        for (int i = 0; i < 300; ++i) {
            const double wave = 0.5 + 0.5 * std::sin(i / 11.0) * std::cos(i / 37.0);
            const double burst = (i % 70 > 52) ? 2.4 : 1.0;
            const auto down = static_cast<std::uint64_t>((120000 + 380000 * wave) * burst);
            const auto up = static_cast<std::uint64_t>(18000 + 52000 * (1 - wave) + (i % 13) * 900);
            tick(down, up);
        }
        w.findChild<tw::MainStatusBar*>()->setClockRunning(true);
        saveScreenshot(w, name);
    }
};

TEST_F(MainWindowScreenshots, MainWindowWithBarChart) {
    render(true, "main-window-bar-chart.png");
}

TEST_F(MainWindowScreenshots, MainWindowWithLineChart) {
    render(false, "main-window-line-chart.png");
}

TEST_F(MainWindowScreenshots, MainWindowWithABillingPeriodAndAnAllowance) {
    // A billing month from the 2nd with 10 GB allowed.
    render(true, "main-window-allowance.png", "monthStartDay=2\r\nmonthlyAllowance=10737418240\r\n");
}

TEST_F(MainWindowScreenshots, AboutWindow) {
    tw::frmAbout about;
    about.show();
    saveScreenshot(about, "about-window.png");
}

TEST_F(MainWindowScreenshots, ProgressWindow) {
    tw::frmSplash splash;
    splash.show();
    splash.Progress(60);
    splash.updateLabel(QStringLiteral("Parsing the history file"));
    saveScreenshot(splash, "progress-window.png");
}
