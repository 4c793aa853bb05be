// Renders the main window (bar and line chart) and the About window to PNG files: into
// $TALLYWAVE_SCREENSHOT_DIR when set (docs/screenshots is made this way), else into the build folder.
#include "MainWindowFixture.h"

#include "app/ui/LiveChart.h"
#include "app/ui/MainStatusBar.h"
#include "app/ui/frmAbout.h"
#include "app/ui/frmSplash.h"
#include "history/HistoryFile.h"

#include <QDir>
#include <QLocale>
#include <QPixmap>

#include <cmath>

using namespace twtest;

namespace {

QString screenshotDir() {
    QString dir = qEnvironmentVariable("TALLYWAVE_SCREENSHOT_DIR");
    if (dir.isEmpty()) {
        dir = qEnvironmentVariable("TALLYWAVE_TEST_BINARY_DIR", QDir::tempPath()) + QStringLiteral("/screenshots");
    }
    QDir().mkpath(dir);
    return dir;
}

void save(QWidget& widget, const QString& name) {
    const QString path = screenshotDir() + QLatin1Char('/') + name;
    const QPixmap picture = widget.grab();
    EXPECT_FALSE(picture.isNull());
    EXPECT_TRUE(picture.save(path)) << path.toStdString();
}

} // namespace

class ScreenshotTest : public MainWindowTest {
protected:
    void render(bool bars, const QString& name, const std::string& moreSettings = {}) {
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
        w.mainStatusBar()->refreshClock();
        save(w, name);
    }
};

TEST_F(ScreenshotTest, MainWindowWithBarChart) {
    render(true, QStringLiteral("main-window-bar-chart.png"));
}

TEST_F(ScreenshotTest, MainWindowWithLineChart) {
    render(false, QStringLiteral("main-window-line-chart.png"));
}

TEST_F(ScreenshotTest, MainWindowWithABillingPeriodAndAnAllowance) {
    // A billing month from the 2nd with 10 GB allowed.
    render(true, QStringLiteral("main-window-allowance.png"), "monthStartDay=2\r\nmonthlyAllowance=10737418240\r\n");
}

TEST_F(ScreenshotTest, AboutWindow) {
    tw::frmAbout about;
    about.show();
    save(about, QStringLiteral("about-window.png"));
}

TEST_F(ScreenshotTest, ProgressWindow) {
    tw::frmSplash splash;
    splash.show();
    splash.Progress(60);
    splash.updateLabel(QStringLiteral("Parsing the history file"));
    save(splash, QStringLiteral("progress-window.png"));
}
