#include "MainWindowFixture.h"

#include "alarms/ui/AlarmNotifier.h"
#include "alarms/ui/splashForm.h"
#include "app/ui/LiveChart.h"
#include "app/ui/MainStatusBar.h"
#include "app/ui/PeriodPanels.h"
#include "config/IniFile.h"
#include "history/HistoryFile.h"
#include "platform/SystemTexts.h"
#include "platform/fake/FakeNetworkTables.h"
#include "support/qt_ModalAnswerer.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QHelpEvent>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QSignalSpy>
#include <QTest>
#include <QToolBar>
#include <QToolTip>

#include <cmath>
#include <filesystem>
#include <functional>

using namespace twtest;
using tw::LoggingState;

namespace {

// The captions as shown, without the mnemonics' markers.
QStringList captions(const QMenu* menu) {
    QStringList out;
    for (QAction* a : menu->actions()) {
        out << (a->isSeparator() ? QStringLiteral("-") : QString(a->text()).remove(QLatin1Char('&')));
    }
    return out;
}

struct CommandEnabling {
    bool start, pause, stop, resetSession;
};

CommandEnabling enablingOf(tw::frmMain& w) {
    const tw::SystemTray* tray = trayOf(w);
    // The three places must agree; report the menu's state after checking.
    EXPECT_EQ(named(w, "mnuContinue")->isEnabled(), named(w, "Start")->isEnabled());
    EXPECT_EQ(named(w, "mnuContinue")->isEnabled(), tray->mPopStart->isEnabled());
    EXPECT_EQ(named(w, "mnuPause")->isEnabled(), named(w, "Pause")->isEnabled());
    EXPECT_EQ(named(w, "mnuPause")->isEnabled(), tray->mPopPause->isEnabled());
    EXPECT_EQ(named(w, "mnuStopIt")->isEnabled(), named(w, "Stop")->isEnabled());
    EXPECT_EQ(named(w, "mnuStopIt")->isEnabled(), tray->mPopStop->isEnabled());
    EXPECT_TRUE(named(w, "mnuResetToday")->isEnabled());
    EXPECT_TRUE(named(w, "mnuResetMonth")->isEnabled());
    return {named(w, "mnuContinue")->isEnabled(), named(w, "mnuPause")->isEnabled(), named(w, "mnuStopIt")->isEnabled(),
            named(w, "mnuResetSess")->isEnabled()};
}

// The tooltip's first line: the logging state.
std::string stateLine(tw::frmMain& w) {
    return trayOf(w)->toolTip().section(QLatin1Char('\n'), 0, 0).toStdString();
}

std::string text(tw::frmMain& w, const char* name) {
    auto* label = w.findChild<QLabel*>(QString::fromLatin1(name));
    return label ? label->text().toStdString() : std::string("<missing ") + name + ">";
}

tw::LiveChart* chartOf(const tw::frmMain& w) {
    return named<tw::LiveChart>(w, "chartPicture");
}

// Runs a command whose message box is answered with `answer`; the texts of the boxes it showed.
std::vector<std::string> boxesOf(const std::function<void()>& command, QMessageBox::StandardButton answer) {
    ModalAnswerer answerer;
    answerer.clickMessageBox(answer);
    command();
    return answerer.texts;
}

const std::vector<std::string> kExitQuestion{
    "You are about to shutdown Tallywave. \nDo you want to save this session?"};

} // namespace

TEST_F(MainWindowTest, ToolbarButtonsComeInOrderWithImagesTooltipsAndDescriptions) {
    tw::frmMain& w = open();
    auto* bar = w.findChild<QToolBar*>(QStringLiteral("Toolbar1"));
    ASSERT_NE(bar, nullptr);
    QStringList keys;
    for (QAction* a : bar->actions()) {
        keys << (a->isSeparator() ? QStringLiteral("|") : a->data().toString());
        if (!a->isSeparator()) {
            EXPECT_FALSE(a->icon().isNull()) << a->data().toString().toStdString();
            EXPECT_EQ(a->statusTip(), a->toolTip());
        }
    }
    EXPECT_EQ(keys.join(' '), "Start Pause Stop | Statistics Settings Alarm | Traceroute Whois | Contents");
    EXPECT_EQ(named(w, "Start")->toolTip(), "Start/Continue logging");
    EXPECT_EQ(named(w, "Statistics")->toolTip(), "View/Edit logs");
    EXPECT_EQ(named(w, "Settings")->toolTip(), "Program settings");
    EXPECT_EQ(named(w, "Alarm")->toolTip(), "Alarm settings");
    EXPECT_EQ(named(w, "Contents")->toolTip(), "Tallywave help");
}

TEST_F(MainWindowTest, MenusCarryTheirCaptionsSeparatorsSubmenusAndCheckMark) {
    tw::frmMain& w = open();
    EXPECT_EQ(w.windowTitle(), "Tallywave");
    QStringList top;
    for (QAction* a : w.menuBar()->actions()) {
        top << a->text();
    }
    EXPECT_EQ(top.join(','), "&File,&Logging,&View,&Tools,&Help");
    EXPECT_EQ(captions(named<QMenu>(w, "mnuFile")).join(','), "Settings...,-,Exit");
    EXPECT_EQ(captions(named<QMenu>(w, "mnuLogging")).join(','), "Start/continue,Pause,Stop,-,Reset,-,Edit logs...");
    EXPECT_EQ(captions(named<QMenu>(w, "mnuReset")).join(','), "Current Session,Today,This Month");
    EXPECT_EQ(captions(named<QMenu>(w, "mnuView")).join(','), "Connections...,Interface Info...,-,History chart");
    EXPECT_EQ(captions(named<QMenu>(w, "mnuTools")).join(','), "Traceroute...,Whois...,-,Alarm...");
    EXPECT_EQ(captions(named<QMenu>(w, "mnuHelp")).join(','), "Contents,-,On the web,-,About Tallywave");
    EXPECT_EQ(captions(named<QMenu>(w, "mnuOnTheWeb")).join(','), "Tallywave,Other programs from Veltrop");
    EXPECT_TRUE(named(w, "mnuLast60")->isCheckable());
    EXPECT_TRUE(named(w, "mnuLast60")->isChecked()); // chart shown by default

    QMenu* popup = trayOf(w)->menu();
    EXPECT_EQ(popup->objectName(), "mPopupSys");
    EXPECT_EQ(captions(popup).join(','), "Open Tallywave,Minimize to tray,-,Logging,-,Shut down");
    EXPECT_EQ(popup->defaultAction(), trayOf(w)->mPopRestore);
    EXPECT_TRUE(trayOf(w)->mPopRestore->font().bold());
    EXPECT_EQ(trayOf(w)->mPopStart->text(), "Start/Continue");
}

TEST_F(MainWindowTest, EveryMenuItemHasItsOwnMnemonicAndTheStandardKeysWork) {
    tw::frmMain& w = open();
    for (const char* name : {"mnuFile", "mnuLogging", "mnuReset", "mnuView", "mnuTools", "mnuHelp", "mnuOnTheWeb"}) {
        const auto* menu = named<QMenu>(w, name);
        QSet<int> keys;
        for (QAction* a : menu->actions()) {
            if (!a->isSeparator()) {
                const QKeySequence key = QKeySequence::mnemonic(a->text());
                EXPECT_FALSE(key.isEmpty()) << a->text().toStdString();
                EXPECT_FALSE(keys.contains(key[0].toCombined())) << a->text().toStdString();
                keys.insert(key[0].toCombined());
            }
        }
    }
    EXPECT_EQ(named<QAction>(w, "mnuExit")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Q));
    EXPECT_EQ(named<QAction>(w, "mnuContents")->shortcut(), QKeySequence(Qt::Key_F1));
    EXPECT_FALSE(named<QAction>(w, "mnuSettings")->shortcut().isEmpty());

    w.show();
    QApplication::setActiveWindow(&w);
    tick(2048, 1024); // a session worth the question
    // Ctrl+Q leaves the program as Exit does: with its question.
    EXPECT_EQ(boxesOf([&] { QTest::keyClick(&w, Qt::Key_Q, Qt::ControlModifier); }, QMessageBox::Cancel),
              kExitQuestion);
    // In the open File menu, X is Exit.
    auto* file = named<QMenu>(w, "mnuFile");
    file->popup(w.mapToGlobal(QPoint(0, 0)));
    ASSERT_EQ(QApplication::activePopupWidget(), file);
    EXPECT_EQ(boxesOf([&] { QTest::keyClick(file, Qt::Key_X); }, QMessageBox::Cancel), kExitQuestion);
    EXPECT_TRUE(w.isVisible());
    {
        // The settings key opens the settings window.
        ModalAnswerer answerer;
        std::string opened;
        answerer.then([&opened](QWidget* modal) {
            opened = modal->metaObject()->className();
            static_cast<QDialog*>(modal)->reject();
        });
        QApplication::setActiveWindow(&w); // back from the menu
        QTest::keySequence(&w, named<QAction>(w, "mnuSettings")->shortcut());
        EXPECT_EQ(opened, "tw::frmOptions");
    }
}

TEST_F(MainWindowTest, CommandsFollowTheLoggingStateInMenuToolbarAndTrayAlike) {
    tw::frmMain& w = open();
    CommandEnabling e = enablingOf(w);
    EXPECT_FALSE(e.start);
    EXPECT_TRUE(e.pause);
    EXPECT_TRUE(e.stop);
    EXPECT_TRUE(e.resetSession);
    EXPECT_TRUE(named<QTimer>(w, "Timer1")->isActive());
    EXPECT_EQ(stateLine(w), "Tallywave - Logging");

    named(w, "Pause")->trigger();
    e = enablingOf(w);
    EXPECT_TRUE(e.start);
    EXPECT_FALSE(e.pause);
    EXPECT_TRUE(e.stop);
    EXPECT_TRUE(e.resetSession);
    EXPECT_FALSE(named<QTimer>(w, "Timer1")->isActive());
    EXPECT_EQ(stateLine(w), "Tallywave - Logging paused");
    EXPECT_EQ(trayOf(w)->image(), tw::TrayImage::Paused);

    trayOf(w)->mPopStart->trigger();
    EXPECT_EQ(w.controller().loggingState(), LoggingState::Logging);
    EXPECT_TRUE(named<QTimer>(w, "Timer1")->isActive());
    EXPECT_EQ(trayOf(w)->image(), tw::TrayImage::Idle);

    named(w, "mnuStopIt")->trigger(); // no traffic: no question
    e = enablingOf(w);
    EXPECT_TRUE(e.start);
    EXPECT_FALSE(e.pause);
    EXPECT_FALSE(e.stop);
    EXPECT_FALSE(e.resetSession);
    EXPECT_EQ(stateLine(w), "Tallywave - Not logging");
    EXPECT_EQ(trayOf(w)->image(), tw::TrayImage::Stopped);
}

TEST_F(MainWindowTest, TrayToolTipFollowsTheStateAtOnceAndTheTrafficAtMostOnceASecond) {
    tw::frmMain& w = open();
    tick(2048, 1024);
    const QString first = QString::fromStdString(
        "Tallywave - Logging\n\u2193 205 bytes/s \u2191 102 bytes/s\nToday 3.0 kB \u00b7 Month 3.0 kB");
    EXPECT_TRUE(QTest::qWaitFor([&] { return trayOf(w)->toolTip() == first; }, 5000))
        << trayOf(w)->toolTip().toStdString();
    tick(1024 * 1024, 0);
    tick(3 * 1024 * 1024, 0);
    EXPECT_EQ(trayOf(w)->toolTip(), first) << "a second pass within the second waits";
    EXPECT_TRUE(QTest::qWaitFor([&] { return trayOf(w)->toolTip() != first; }, 5000));
    EXPECT_EQ(trayOf(w)->toolTip().toStdString(),
              "Tallywave - Logging\n\u2193 3.0 MB/s \u2191 0 bytes/s\nToday 4.0 MB \u00b7 Month 4.0 MB")
        << "the latest pass shows when the second is over";

    named(w, "Pause")->trigger();
    EXPECT_EQ(trayOf(w)->toolTip().toStdString(), "Tallywave - Logging paused\nToday 4.0 MB \u00b7 Month 4.0 MB")
        << "a new state shows at once, without speeds while no pass runs";
}

TEST_F(MainWindowTest, AtAQuarterSecondTheTrayRidesOnThePassesWithoutTimersOfItsOwn) {
    dir.write("settings.txt", "[General]\r\nrefreshCombo=0\r\n");
    tw::SystemTray::setAvailabilityForTesting(true);
    tw::frmMain& w = open();
    EXPECT_TRUE(named<QTimer>(w, "Timer1")->isActive());
    EXPECT_FALSE(trayOf(w)->isWatchRunning());
    tick(2048, 1024);
    const QString first = trayOf(w)->toolTip();
    tick(1024 * 1024, 0);
    EXPECT_EQ(trayOf(w)->toolTip(), first) << "a second pass within the second waits";
    EXPECT_FALSE(trayOf(w)->isToolTipPending()) << "for a pass, not for a timer";
    // Timer1's own passes bring the text once the second is over (the fake clock stands still: the speeds stay).
    EXPECT_TRUE(QTest::qWaitFor([&] { return trayOf(w)->toolTip() != first; }, 5000));
    EXPECT_EQ(trayOf(w)->toolTip().toStdString(),
              "Tallywave - Logging\n\u2193 1.0 MB/s \u2191 0 bytes/s\nToday 1.0 MB \u00b7 Month 1.0 MB");

    // A notification area that goes away is noticed by the passes too.
    tw::SystemTray::setAvailabilityForTesting(false);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !trayOf(w)->isShown(); }, 5000));

    // Without passes the tray keeps its own watch.
    named(w, "Pause")->trigger();
    EXPECT_TRUE(trayOf(w)->isWatchRunning());
    named(w, "Start")->trigger();
    EXPECT_FALSE(trayOf(w)->isWatchRunning());
}

TEST_F(MainWindowTest, AHiddenOrMinimisedWindowIsDrawnOnlyWhenItIsBack) {
    tw::frmMain& w = open();
    w.show();
    EXPECT_TRUE(w.findChild<tw::MainStatusBar*>()->isClockRunning());
    w.minimizeToTray(); // no notification area: minimised
    ASSERT_TRUE(w.isMinimized());
    EXPECT_FALSE(w.findChild<tw::MainStatusBar*>()->isClockRunning());
    tick(2048, 0);
    EXPECT_EQ(text(w, "downloadLabel_0"), "   0 bytes");
    EXPECT_EQ(text(w, "speedDwnldLabel"), "  0 bytes/s");
    EXPECT_FALSE(chartOf(w)->isDrawn());
    EXPECT_EQ(chartOf(w)->data().getMaxValue(), 205) << "the samples go on";

    clock.setNow(tw::DateTime::fromCivil(2026, 3, 10, 13, 45, 0));
    w.restoreFromTray();
    EXPECT_EQ(text(w, "downloadLabel_0"), "   2.0 kB");
    EXPECT_EQ(text(w, "speedDwnldLabel"), "  205 bytes/s");
    EXPECT_TRUE(chartOf(w)->isDrawn()) << "drawn at once, not at the next pass";
    EXPECT_TRUE(w.findChild<tw::MainStatusBar*>()->isClockRunning());
    EXPECT_EQ(text(w, "timePanel"), QLocale().toString(QTime(13, 45), QLocale::ShortFormat).toStdString());
    EXPECT_EQ(text(w, "datePanel"), QLocale().toString(QDate(2026, 3, 10), QLocale::ShortFormat).toStdString());

    w.hide();
    tick(0, 0);
    EXPECT_FALSE(chartOf(w)->isDrawn());
    EXPECT_FALSE(w.findChild<tw::MainStatusBar*>()->isClockRunning());
}

TEST_F(MainWindowTest, StopWithTrafficAsksAndCancelKeepsLogging) {
    tw::frmMain& w = open();
    tick(5000, 100);
    EXPECT_EQ(boxesOf([&] { named(w, "Stop")->trigger(); }, QMessageBox::Cancel),
              std::vector<std::string>{"You are about to stop logging.\nDo you want to save this session?"});
    EXPECT_EQ(w.controller().loggingState(), LoggingState::Logging);
    EXPECT_TRUE(named<QTimer>(w, "Timer1")->isActive());
}

TEST_F(MainWindowTest, LabelsShowTheFormattedAmountsAndSpeedsOfATick) {
    tw::frmMain& w = open();
    w.show();
    tick(1023, 1); // first pass counts 10 s: 102 and 0 bytes/s
    EXPECT_EQ(text(w, "downloadLabel_0"), "   1.0 kB");
    EXPECT_EQ(text(w, "uploadLabel_0"), "   0.0 kB");
    EXPECT_EQ(text(w, "totalLabel_0"), "   1.0 kB");
    EXPECT_EQ(text(w, "downloadLabel_1"), "   1.0 kB");
    EXPECT_EQ(text(w, "totalLabel_2"), "   1.0 kB");
    EXPECT_EQ(text(w, "speedDwnldLabel"), "  102 bytes/s");
    EXPECT_EQ(text(w, "speedUploadLabel"), "  0 bytes/s");
    tick(7000, 4000);
    EXPECT_EQ(text(w, "speedDwnldLabel"), " 6.8 kB/s");
    EXPECT_EQ(text(w, "speedTotalLabel"), " 10.7 kB/s");
    EXPECT_EQ(text(w, "alarmPanel"), "No alarm");
    EXPECT_EQ(text(w, "connectionPanel"), "Multiple connections");
    EXPECT_EQ(named<QLabel>(w, "connectionPanel")->toolTip(), "Name of the monitored connection(s).");
}

TEST_F(MainWindowTest, TheConnectionPanelAsksForItsToolTipAfreshWhenItShows) {
    tw::frmMain& w = open();
    QLabel* panel = named<QLabel>(w, "connectionPanel");
    const auto hover = [&] {
        QHelpEvent event(QEvent::ToolTip, QPoint(2, 2), panel->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(panel, &event);
        return panel->toolTip();
    };
    EXPECT_EQ(hover(), "Name of the monitored connection(s).");
    engineHandle->toolTipNow = "All connections are monitored.\nCounted now: eth0, ppp0.";
    EXPECT_EQ(hover(), "All connections are monitored.\nCounted now: eth0, ppp0.");
    QToolTip::hideText();
}

TEST_F(MainWindowTest, AmountsUseTheLocaleDecimalSeparatorAndTheUnitSettings) {
    dir.write("settings.txt", "[General]\r\nrefreshCombo=9\r\nunitCombo_1=4\r\nspeedCombo=7\r\n");
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    tw::frmMain& w = open();
    w.show();
    tick(1536, 0);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(text(w, "downloadLabel_0"), "   1,5 kB");
    EXPECT_EQ(text(w, "downloadLabel_1"), "   0,0 GB");     // fixed GB
    EXPECT_EQ(text(w, "speedDwnldLabel"), "  154 bytes/s"); // an unknown speed unit counts as variable
}

TEST_F(MainWindowTest, TrayAndWindowShowTheActivityImageForTheSpeeds) {
    dir.write("settings.txt", "[General]\r\nrefreshCombo=9\r\nbytesText=1\r\nbytesCombo=1\r\n");
    tw::frmMain& w = open();
    // The thresholds themselves are the controller's (MonitorLoopTest); here the icon follows them.
    tick(20000, 1000); // 2000 down, 100 up
    EXPECT_EQ(trayOf(w)->image(), tw::TrayImage::Download);
    tick(10, 10);
    EXPECT_EQ(trayOf(w)->image(), tw::TrayImage::Idle);
    EXPECT_EQ(stateLine(w), "Tallywave - Logging"); // activity leaves the state line alone
    EXPECT_FALSE(w.windowIcon().isNull());
}

// Without a notification area the window is never left unreachable: started for the tray it is minimised, and the
// close box leaves it so.
TEST_F(MainWindowTest, ANotificationAreaThatComesLaterTakesTheIconAndOneThatGoesLeavesTheWindowReachable) {
    tw::SystemTray::setAvailabilityForTesting(false);
    tw::frmMain& w = open({false, true});
    w.showAtStartup();
    EXPECT_TRUE(w.isVisible());
    ASSERT_TRUE(w.isMinimized());
    EXPECT_FALSE(trayOf(w)->isShown());
    EXPECT_FALSE(trayOf(w)->mPopMinimize->isEnabled());
    w.showNormal();
    EXPECT_FALSE(w.requestClose(tw::CloseReason::CloseBox));
    EXPECT_TRUE(w.isVisible());
    ASSERT_TRUE(w.isMinimized());

    tw::SystemTray::setAvailabilityForTesting(true);
    trayOf(w)->checkAvailability();
    EXPECT_TRUE(trayOf(w)->isShown());
    EXPECT_TRUE(trayOf(w)->mPopMinimize->isEnabled());
    EXPECT_FALSE(w.isVisible()) << "started for the tray, so it goes there once there is one";

    tw::SystemTray::setAvailabilityForTesting(false); // the panel restarts
    trayOf(w)->checkAvailability();
    EXPECT_FALSE(trayOf(w)->isShown());
    EXPECT_FALSE(trayOf(w)->mPopMinimize->isEnabled());
    EXPECT_TRUE(w.isVisible());
    EXPECT_TRUE(w.isMinimized());

    w.showNormal(); // the user takes the window back before the panel returns
    tw::SystemTray::setAvailabilityForTesting(true);
    trayOf(w)->checkAvailability();
    EXPECT_TRUE(trayOf(w)->isShown());
    EXPECT_TRUE(w.isVisible());
}

TEST_F(MainWindowTest, WithANotificationAreaTheCloseBoxHidesAndADoubleClickRestores) {
    tw::SystemTray::setAvailabilityForTesting(true);
    tw::frmMain& w = open({false, true});
    w.showAtStartup();
    EXPECT_FALSE(w.isVisible()); // only the icon
    EXPECT_TRUE(trayOf(w)->isShown());
    EXPECT_TRUE(trayOf(w)->mPopMinimize->isEnabled());

    tick(4096, 0); // not drawn while hidden
    EXPECT_EQ(text(w, "downloadLabel_0"), "   0 bytes");
    trayOf(w)->handleDoubleClick();
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(text(w, "downloadLabel_0"), "   4.0 kB"); // refreshed on restore

    EXPECT_FALSE(w.requestClose(tw::CloseReason::CloseBox));
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(w.controller().loggingState(), LoggingState::Logging);
    trayOf(w)->mPopRestore->trigger();
    EXPECT_TRUE(w.isVisible());
    trayOf(w)->mPopMinimize->trigger();
    EXPECT_FALSE(w.isVisible());
}

TEST_F(MainWindowTest, TrayIgnoresTheUserWhileAnotherWindowIsOpen) {
    tw::SystemTray::setAvailabilityForTesting(true);
    tw::frmMain& w = open({false, true});
    // A visible top-level widget the program did not open as a window, as an XEmbed tray icon is, blocks nothing.
    QWidget desktopWidget;
    desktopWidget.show();
    EXPECT_FALSE(w.anotherWindowIsOpen());
    QDialog other(&w);
    other.setModal(true);
    other.show();
    trayOf(w)->handleDoubleClick();
    EXPECT_FALSE(w.isVisible());
    emit trayOf(w)->menu()->aboutToShow();
    EXPECT_FALSE(trayOf(w)->mPopRestore->isEnabled());
    EXPECT_FALSE(trayOf(w)->mPopPause->isEnabled());
    emit trayOf(w)->menu()->aboutToHide();
    EXPECT_TRUE(trayOf(w)->mPopRestore->isEnabled());
    EXPECT_TRUE(trayOf(w)->mPopPause->isEnabled());
    other.hide();
    trayOf(w)->handleDoubleClick();
    EXPECT_TRUE(w.isVisible());
}

TEST_F(MainWindowTest, HistoryChartItemHidesTheChartShrinksTheWindowAndRemembersIt) {
    tw::frmMain& w = open();
    w.show();
    const int before = w.height();
    const int chartHeight = chartOf(w)->height();
    ASSERT_GT(chartHeight, 50);
    named(w, "mnuLast60")->trigger();
    EXPECT_FALSE(named(w, "mnuLast60")->isChecked());
    EXPECT_FALSE(chartOf(w)->isVisible());
    EXPECT_EQ(w.height(), std::max(before - chartHeight, 302)); // 4530 twips at least
    EXPECT_NE(dir.read("settings.txt").find("chartVisible=False"), std::string::npos);

    tick(5000, 0); // no samples while hidden
    EXPECT_EQ(chartOf(w)->data().getMaxValue(), 0);

    named(w, "mnuLast60")->trigger();
    EXPECT_TRUE(chartOf(w)->isVisible());
    EXPECT_EQ(w.height(), before);
    EXPECT_EQ(chartOf(w)->height(), chartHeight);
    EXPECT_NE(dir.read("settings.txt").find("chartVisible=True"), std::string::npos);
    tick(5000, 0);
    EXPECT_EQ(chartOf(w)->data().getMaxValue(), 5000);
}

// Hiding may take less than the chart's height off a window at its least height; showing gives back only that.
// Under a window manager (the xcb run of the desktop stage) the size settles a little after each change.
TEST_F(MainWindowTest, HidingAndShowingTheChartAgainAndAgainKeepsTheWindowsSize) {
    tw::frmMain& w = open();
    w.show();
    auto* historyChart = named<QAction>(w, "mnuLast60");
    auto settled = [&w] {
        QSize last;
        for (int i = 0; i < 40 && w.size() != last; ++i) {
            last = w.size();
            QTest::qWait(i == 0 ? 0 : 25);
        }
        return w.size();
    };
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    for (const int height : {w.minimumHeight(), 560, 700}) {
        SCOPED_TRACE(height);
        w.resize(520, height);
        const QSize withChart = settled();
        historyChart->trigger();
        const QSize withoutChart = settled();
        EXPECT_LT(withoutChart.height(), withChart.height());
        for (int i = 0; i < 4; ++i) {
            historyChart->trigger();
            EXPECT_EQ(settled(), withChart);
            historyChart->trigger();
            EXPECT_EQ(settled(), withoutChart);
        }
        historyChart->trigger();
        settled();
    }
}

TEST_F(MainWindowTest, HeadingsAreNeverCutUnderALargerFont) {
    const QFont normal = QApplication::font();
    QFont large = normal;
    large.setPointSizeF(normal.pointSizeF() * 1.6);
    QApplication::setFont(large);
    tw::frmMain& w = open();
    w.show();
    w.resize(100, 100); // the least size
    QCoreApplication::processEvents();
    for (QLabel* heading : w.findChildren<QLabel*>(QRegularExpression(QStringLiteral("^(speedH|h)eadingLabel_")))) {
        EXPECT_GE(heading->width(), heading->sizeHint().width()) << heading->text().toStdString();
    }
    QApplication::setFont(normal);
}

TEST_F(MainWindowTest, DoubleClickEnlargesTheChartOverThePanelsAndBack) {
    tw::frmMain& w = open();
    w.show();
    auto* panel = named<QGroupBox>(w, "sessionFrame");
    const int normalTop = chartOf(w)->y();
    QTest::mouseDClick(chartOf(w), Qt::LeftButton);
    EXPECT_TRUE(w.isChartEnlarged());
    EXPECT_EQ(chartOf(w)->y(), 0);
    EXPECT_FALSE(panel->isVisible());
    EXPECT_FALSE(named<QToolBar>(w, "Toolbar1")->isVisible());
    EXPECT_EQ(chartOf(w)->toolTip(), "Double click to reduce the graph");

    // Hiding the chart while enlarged first brings the panels back.
    named(w, "mnuLast60")->trigger();
    EXPECT_FALSE(w.isChartEnlarged());
    EXPECT_TRUE(panel->isVisible());
    named(w, "mnuLast60")->trigger();
    EXPECT_EQ(chartOf(w)->y(), normalTop);
    EXPECT_EQ(chartOf(w)->toolTip(), "Double click to enlarge the graph");
}

TEST_F(MainWindowTest, ChartSizeFollowsTheWindowWidth) {
    tw::frmMain& w = open();
    w.show();
    w.resize(800, 600);
    QCoreApplication::processEvents();
    EXPECT_EQ(chartOf(w)->data().getSize(), static_cast<int>(std::nearbyint(chartOf(w)->width() / 2.0)));
    EXPECT_GE(w.width(), 429);
    w.resize(100, 100);
    EXPECT_GE(w.width(), 429);  // 6435 twips
    EXPECT_GE(w.height(), 460); // 6900 twips with the chart
}

TEST_F(MainWindowTest, HelpContentsOpensThePageBesideTheProgramOrSaysThereIsNone) {
    tw::frmMain& w = open();
    EXPECT_EQ(
        boxesOf([&] { named(w, "Contents")->trigger(); }, QMessageBox::Ok),
        std::vector<std::string>{"Unable to display Help Contents. There is no Help associated with this project."});
    dir.write("TallywaveHelp.html", "<html></html>");
    named(w, "mnuContents")->trigger();
    ASSERT_EQ(openedUrls.size(), 1u);
    // Compared as paths: Qt writes "/" where Windows' own form has "\\".
    EXPECT_EQ(std::filesystem::path(openedUrls[0].toLocalFile().toStdString()),
              std::filesystem::path(dir.file("TallywaveHelp.html")));
}

TEST_F(MainWindowTest, WebPagesCarryTheReferenceAndVersionAndAFailureShowsTheAddress) {
    tw::frmMain& w = open();
    named(w, "mnuProdAUpd")->trigger();
    named(w, "mnuOtherProgs")->trigger();
    ASSERT_EQ(openedUrls.size(), 2u);
    const QString v = QStringLiteral("&v=%1.%2.%3")
                          .arg(TALLYWAVE_VERSION_MAJOR)
                          .arg(TALLYWAVE_VERSION_MINOR)
                          .arg(TALLYWAVE_BUILD_NUMBER);
    EXPECT_EQ(openedUrls[0].toString(), "https://tallywave.example/developed/tallywave/index.php?ref=Tallywave" + v);
    EXPECT_EQ(openedUrls[1].toString(), "https://tallywave.example/index.php?ref=Tallywave" + v);

    opensSucceed = false;
    EXPECT_EQ(boxesOf([&] { named(w, "mnuOtherProgs")->trigger(); }, QMessageBox::Ok),
              std::vector<std::string>{tw::browserFailedText(openedUrls[1].toString().toStdString())});
}

TEST_F(MainWindowTest, EveryEnabledCommandRunsOffscreen) {
    tw::frmMain& w = open();
    w.show();
    tick(3000, 300);
    std::vector<QAction*> actions;
    for (QAction* a : w.findChildren<QAction*>()) {
        if (!a->isSeparator() && !a->menu() && a->isEnabled()) {
            actions.push_back(a);
        }
    }
    for (QAction* a : trayOf(w)->menu()->findChildren<QAction*>()) {
        if (!a->isSeparator() && !a->menu()) {
            actions.push_back(a);
        }
    }
    int triggered = 0;
    for (QAction* a : actions) {
        const QString name = a->objectName();
        if (name == "mnuExit" || name == "mPopExit" || !a->isEnabled()) {
            continue;
        }
        ModalAnswerer answerer;
        answerer.then([](QWidget* modal) {
            if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                QAbstractButton* button = box->button(QMessageBox::No);
                (button ? button : box->buttons().value(0))->click();
            } else if (auto* dialog = qobject_cast<QDialog*>(modal)) {
                dialog->reject();
            }
        });
        a->trigger();
        ++triggered;
        w.restoreFromTray();
    }
    EXPECT_GE(triggered, 15);
}

TEST_F(MainWindowTest, ExitAsksToSaveAndYesWritesTheSessionAndUnloads) {
    tw::SystemTray::setAvailabilityForTesting(true);
    tw::frmMain& w = open();
    w.show();
    tick(2048, 1024);
    QSignalSpy unloaded(&w, &tw::frmMain::unloaded);
    EXPECT_EQ(boxesOf([&] { named(w, "mnuExit")->trigger(); }, QMessageBox::Cancel), kExitQuestion);
    EXPECT_EQ(unloaded.count(), 0);
    EXPECT_TRUE(w.isVisible());

    EXPECT_EQ(boxesOf([&] { trayOf(w)->mPopExit->trigger(); }, QMessageBox::Yes), kExitQuestion);
    EXPECT_EQ(unloaded.count(), 1);
    EXPECT_FALSE(w.isVisible());
    EXPECT_FALSE(trayOf(w)->isShown());
    EXPECT_FALSE(named<QTimer>(w, "Timer1")->isActive());
    EXPECT_NE(dir.read("datasource.txt").find(";2048;1024;"), std::string::npos);
}

TEST_F(MainWindowTest, SettingsConfirmedReappliesUnitsAndConnections) {
    tw::frmMain& w = open();
    w.show();
    tick(1536, 0);
    EXPECT_EQ(text(w, "downloadLabel_0"), "   1.5 kB");
    dir.write("settings.txt", "[General]\r\nrefreshCombo=9\r\nunitCombo_0=1\r\n");
    ModalAnswerer answerer;
    answerer.then([](QWidget* modal) { static_cast<QDialog*>(modal)->accept(); });
    named(w, "Settings")->trigger();
    EXPECT_EQ(engineHandle->reloads, 2); // at load and after OK
    EXPECT_EQ(text(w, "downloadLabel_0"), "  1 536 bytes");
    EXPECT_TRUE(named<QTimer>(w, "Timer1")->isActive());
    EXPECT_EQ(named<QTimer>(w, "Timer1")->interval(), 60000);

    answerer.then([](QWidget* modal) { static_cast<QDialog*>(modal)->reject(); });
    named(w, "mnuSettings")->trigger();
    EXPECT_EQ(engineHandle->reloads, 2); // Cancel changes nothing
}

TEST_F(MainWindowTest, AddingAConnectionInTheSettingsOffersTheInterfacesOfTheSystemTables) {
    dir.write("settings.txt", "[General]\r\nrefreshCombo=9\r\n[Interfaces]\r\nallInterfaces=0\r\n");
    tw::frmMain& w = open();
    auto tables = std::make_shared<tw::FakeNetworkTables>();
    tables->addInterface(1, "lo", tw::kIfTypeLoopback);
    tables->addAddress(1, "127.0.0.1");
    tables->addInterface(2, "eth0");
    w.launcher().setNetworkTables(tables);

    std::vector<std::string> offered;
    QWidget* settingsWindow = nullptr;
    QWidget* addOwner = nullptr;
    ModalAnswerer settingsAnswer;
    ModalAnswerer addAnswer; // a second poller: the first is busy inside the settings window
    settingsAnswer.then([&](QWidget* settings) {
        settingsWindow = settings;
        addAnswer.then([&](QWidget* add) {
            addOwner = add->parentWidget();
            auto* interfaces = add->findChild<QComboBox*>("interfaceCombo");
            for (int i = 0; i < interfaces->count(); ++i) {
                offered.push_back(interfaces->itemText(i).toStdString());
            }
            interfaces->setCurrentIndex(1);
            add->findChild<QPushButton*>("OKButton")->click();
        });
        settings->findChild<QPushButton*>("addInterfaceButton")->click();
        static_cast<QDialog*>(settings)->accept();
    });
    named(w, "mnuSettings")->trigger();
    EXPECT_EQ(offered, (std::vector<std::string>{"lo", "eth0"}));
    EXPECT_EQ(addOwner, settingsWindow);
    EXPECT_EQ(tw::readIniValue(dir.file("settings.txt"), "Interfaces", "Row1a", ""), "Interface");
    EXPECT_EQ(tw::readIniValue(dir.file("settings.txt"), "Interfaces", "Row1b", ""), "eth0");
}

TEST_F(MainWindowTest, AlarmWindowOpensFromMenuAndToolbar) {
    tw::frmMain& w = open();
    std::vector<std::string> titles;
    ModalAnswerer answerer;
    for (int i = 0; i < 2; ++i) {
        answerer.then([&titles](QWidget* modal) {
            titles.push_back(modal->metaObject()->className());
            static_cast<QDialog*>(modal)->reject();
        });
    }
    named(w, "mnuAlarm")->trigger();
    named(w, "Alarm")->trigger();
    EXPECT_EQ(titles, (std::vector<std::string>{"tw::alarmDialog2", "tw::alarmDialog2"}));
}

TEST_F(MainWindowTest, AFiredAlarmShowsTheNotificationWindowAndTheStatus) {
    dir.write("settings.txt", "[General]\r\nrefreshCombo=9\r\n[Alarm]\r\nAlarmDisabled=0\r\nNumAlarms=1\r\n"
                              "Row1a=download\r\nRow1b=per day\r\nRow1c=1024\r\nAudibleAlarm=0\r\n");
    tw::frmMain& w = open();
    w.show();
    tick(100, 0);
    EXPECT_EQ(text(w, "alarmPanel"), "Alarm enabled");
    tick(4096, 0);
    EXPECT_EQ(text(w, "alarmPanel"), "Alarm triggered");
    ASSERT_NE(w.launcher().notifier().window(), nullptr);
    EXPECT_TRUE(w.launcher().notifier().window()->isVisible());
    EXPECT_TRUE(w.anotherWindowIsOpen()); // the tray now leaves the user alone
    w.launcher().notifier().unload();
}

TEST_F(MainWindowTest, EditLogsShowsProgressUntilTheViewerIsShownAndAddsTheRunningSessionBack) {
    std::string history;
    for (const auto& line : tw::historyHeaderLines(tw::DateTime::fromCivil(2026, 3, 1))) {
        history += line + "\r\n";
    }
    history += "2026-03-10 08:00;2026-03-10 09:00;1000;500;10;5;\r\n";
    dir.write("datasource.txt", history);
    tw::frmMain& w = open();
    w.show();
    tick(2000, 0);
    EXPECT_EQ(w.controller().periods()[1].getBytesReceived(), 3000);

    std::vector<std::string> seen;
    ModalAnswerer answerer;
    answerer.then([&seen, &w](QWidget* modal) {
        seen.push_back(modal->metaObject()->className());
        seen.push_back(w.anotherWindowIsOpen() ? "blocked" : "free");
        QCoreApplication::processEvents();
        const auto* progress = w.findChild<QWidget*>(QStringLiteral("frmSplash"));
        seen.push_back(progress != nullptr && progress->isVisible() ? "progress behind it" : "no progress");
        static_cast<QDialog*>(modal)->accept();
    });
    named(w, "Statistics")->trigger();
    EXPECT_EQ(seen, (std::vector<std::string>{"tw::editloggsForm", "blocked", "no progress"}));
    EXPECT_EQ(w.controller().periods()[1].getBytesReceived(), 3000); // the file again, plus the running session
    QCoreApplication::processEvents();
    EXPECT_FALSE(w.anotherWindowIsOpen()); // the progress window is gone
}

TEST_F(MainWindowTest, DebugWinsOverWinStartUpAndLeavingStoresTheSessionWithoutAsking) {
    tw::SystemTray::setAvailabilityForTesting(true);
    tw::frmMain& w = open({true, true});
    w.showAtStartup();
    EXPECT_TRUE(w.isVisible());
    EXPECT_FALSE(w.isMinimized());
    tick(4000, 2000);
    ModalAnswerer answerer; // would record any question
    w.close();              // a close the program starts itself counts as leaving
    EXPECT_TRUE(answerer.texts.empty());
    EXPECT_FALSE(w.isVisible());
    EXPECT_NE(dir.read("datasource.txt").find(";4000;2000;"), std::string::npos);
}
