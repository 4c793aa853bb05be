#pragma once

#include "app/ui/MainMenus.h"
#include "app/ui/MainToolbar.h"

// moc cannot parse the C++20 library headers the core pulls in; it needs none of them.
#ifndef Q_MOC_RUN
#include "app/AllowanceForecast.h"
#include "app/AppPaths.h"
#include "app/MonitorController.h"
#include "app/MonitorView.h"
#include "app/ui/MonitoredEngine.h"
#include "app/ui/WindowLauncher.h"
#include "config/BillingSettings.h"
#endif

#include <QMainWindow>
#include <QTimer>

#include <array>
#include <memory>
#include <optional>

class QFrame;

namespace tw {

class Clock;
class LiveChart;
class MainStatusBar;
class NetworkTables;
class PeriodPanels;
class SystemTray;

// What the command line decided for the main window.
struct MainWindowOptions {
    bool debugMode = false;  // "-debug": shown; leaving stores the session without asking
    bool winStartUp = false; // "-winStartUp": starts in the notification area only
};

// The main window "Tallywave": toolbar, menus, the three period panels, the live chart, the status bar and the tray
// icon. It owns the traffic engine and the monitor controller and drives the controller from Timer1.
//
// Start-up: construct it (this loads it: engine and monitored connections, chart buffer, display settings, the
// session dated now, Timer1 running, the tray icon registered), then call showAtStartup(). When the window unloads
// (Exit, "Shut down", or requestClose(SystemShutdown) from a signal handler) it emits unloaded() and ends the
// application's event loop.
class frmMain : public QMainWindow, public MonitorView {
    Q_OBJECT
public:
    // The program: an IPData engine over the system's tables.
    frmMain(const AppPaths& paths, MainWindowOptions options, Clock& clock, NetworkTables& tables,
            QWidget* parent = nullptr);
    // Any engine (tests).
    frmMain(const AppPaths& paths, MainWindowOptions options, Clock& clock, std::unique_ptr<MonitoredEngine> engine,
            QWidget* parent = nullptr);
    ~frmMain() override;

    // Shows the window as the command line asks: "-debug" or nothing shows it; "-winStartUp" alone leaves only
    // the tray icon, or a minimised window on a desktop without a notification area.
    void showAtStartup();
    // The close request by reason; true when the window unloaded.
    bool requestClose(CloseReason reason);
    // "Open Tallywave" and the icon's double click.
    void restoreFromTray();
    // "Minimize to tray" and the close box.
    void minimizeToTray();

    // MonitorView
    void updateSpeeds(std::int32_t download, std::int32_t upload) override;
    void updateTotals(const PeriodRecords& periods) override;
    void addChartSample(std::int32_t download, std::int32_t upload) override;
    void clearChart() override;
    void setAlarmStatus(const std::string& text) override;
    void setTrayImage(TrayImage image) override;
    void setLoggingState(LoggingState state) override;
    void setTimerRunning(bool running, int intervalMs) override;
    bool showAlarmNotification(const std::vector<std::string>& descriptions) override;
    Answer ask(const Question& question) override;
    bool openLogViewer(const std::optional<clsSessionData>& running) override;
    bool isWindowVisible() const override;
    void showSaveProblem(const std::string& text, bool waitForOk) override;

    MonitorController& controller() { return *m_controller; }
    WindowLauncher& launcher() { return m_launcher; }
    bool isChartEnlarged() const;
    // Whether another window of the program is open (the tray then ignores the user).
    bool anotherWindowIsOpen() const;
    // A notification area came or went: the icon moves into it, or the window stays reachable without one.
    void onTrayAvailabilityChanged(bool available);

signals:
    void unloaded();

public slots:
    void onStart();
    void onPause();
    void onStop();
    void onResetSession();
    void onResetToday();
    void onResetMonth();
    void onEditLogs();
    void onSettings();
    void onExit();
    void onConnections();
    void onInterfaceInfo();
    void onHistoryChart(bool shown);
    void onTraceroute();
    void onWhois();
    void onAlarm();
    void onContents();
    void onProductPage();
    void onMakerPage();
    void onAbout();
    void onChartDoubleClicked();
    void onToolbarButton(QAction* button);

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void load();
    void buildWindow();
    void connectCommands();
    void readDisplaySettings();
    void relayout();
    void updateMinimumSize();
    void setChartEnlarged(bool enlarged);
    void applySettingsChange();
    void unload();
    void showMinimizedForWantOfTray();
    // The tooltip of the tray icon. While passes bring a new text at least once a second it is made only when the
    // icon may take it (at most once a second); `now` for a change that must show at once (a new logging state).
    void refreshTrayToolTip(bool now = false);
    // Shown and not minimised: only then are labels, clock and chart kept current.
    bool isOnScreen() const;
    void drawLabels();
    void applyWindowIcon();
    // After a show, hide, minimise or restore: what was left undrawn while away is drawn now.
    void onScreenStateChanged();
    // The billing month of the month record and the allowance's forecast for it now; none without an allowance.
    MonthPeriod monthPeriod() const;
    std::optional<AllowanceForecast> allowanceForecast() const;
    // The month panel's title and allowance lines; the window makes room for the lines as they come and go.
    void showMonthExtras();

    AppPaths m_paths;
    MainWindowOptions m_options;
    Clock& m_clock;
    std::unique_ptr<MonitoredEngine> m_engine;
    std::unique_ptr<MonitorController> m_controller;
    WindowLauncher m_launcher;
    QString m_helpPath;

    QWidget* m_client = nullptr;
    QFrame* m_coolBar = nullptr;
    MainMenus m_menus;
    MainToolbar m_toolbar;
    std::unique_ptr<PeriodPanels> m_panels;
    LiveChart* m_chart = nullptr;
    MainStatusBar* m_statusBar = nullptr;
    SystemTray* m_tray = nullptr;
    QTimer m_timer;

    std::array<int, 4> m_unitSettings{};
    BillingSettings m_billing;
    int m_panelRows = 0; // lines the second row of panels holds beyond the amounts
    std::optional<TrayImage> m_shownImage;
    std::string m_alarmStatus; // as last shown: every pass repeats it
    std::optional<TrayImage> m_windowImage;
    QString m_trayStateLine;
    bool m_logging = false;
    std::int32_t m_downloadSpeed = 0;
    std::int32_t m_uploadSpeed = 0;
    bool m_onScreen = false;
    bool m_passesDriveTray = false; // the timer runs at least once a second: the tray needs no timers of its own
    // Minimised only because there was no notification area to hide in: hidden there once one appears.
    bool m_minimizedForWantOfTray = false;
    bool m_unloading = false;
    bool m_inCloseEvent = false;
    int m_hiddenChartHeight = 0; // given back to the window when the chart is shown again
};

} // namespace tw
