#include "app/ui/frmMain.h"

#include "app/ui/LiveChart.h"
#include "app/ui/MainLayout.h"
#include "app/ui/MainStatusBar.h"
#include "app/ui/PeriodPanels.h"
#include "app/ui/SystemTray.h"
#include "config/SettingsKeys.h"
#include "widgets/ui/UiText.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QHideEvent>
#include <QIcon>
#include <QMenuBar>
#include <QSessionManager>
#include <QShowEvent>
#include <QStatusBar>
#include <QToolBar>

namespace tw {

namespace {

constexpr int kDefaultClientWidth = 520;
constexpr int kDefaultHeight = 560;

} // namespace

frmMain::frmMain(const AppPaths& paths, MainWindowOptions options, Clock& clock, NetworkTables& tables, QWidget* parent)
    : frmMain(paths, options, clock, makeMonitoredEngine(tables), parent) {}

frmMain::frmMain(const AppPaths& paths, MainWindowOptions options, Clock& clock,
                 std::unique_ptr<MonitoredEngine> engine, QWidget* parent)
    : QMainWindow(parent), m_paths(paths), m_options(options), m_clock(clock), m_engine(std::move(engine)),
      m_launcher(this, m_paths) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(appTitle());
    // The program ends when this window unloads, not when its last visible window closes: with the main window
    // in the tray, closing a notification or a dialog must not end it.
    QApplication::setQuitOnLastWindowClosed(false);
    // Dialogs and the desktop show the program's logo; this window shows the activity images.
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/logo.svg")));
    buildWindow();
    connectCommands();
    load();
}

frmMain::~frmMain() {
    m_timer.stop();
    if (m_tray) {
        m_tray->remove();
    }
}

void frmMain::buildWindow() {
    m_menus = MainMenus::build(menuBar());

    m_client = new QWidget(this);
    m_client->setObjectName(QStringLiteral("clientArea"));
    setCentralWidget(m_client);
    m_client->installEventFilter(this);

    m_coolBar = new QFrame(m_client);
    m_coolBar->setObjectName(QStringLiteral("CoolBar1"));
    m_coolBar->setFrameShape(QFrame::StyledPanel);
    m_coolBar->setFrameShadow(QFrame::Raised);
    m_toolbar = MainToolbar::build(m_coolBar);
    m_toolbar.bar->move(2, 1);

    m_panels = std::make_unique<PeriodPanels>(m_client);
    m_chart = new LiveChart(m_client);
    connect(m_chart, &LiveChart::doubleClicked, this, &frmMain::onChartDoubleClicked);

    m_statusBar = new MainStatusBar(this, m_clock);
    setStatusBar(m_statusBar->bar());

    m_timer.setParent(this);
    m_timer.setObjectName(QStringLiteral("Timer1"));
    connect(&m_timer, &QTimer::timeout, this, [this] {
        m_controller->monitorTick();
        if (m_passesDriveTray) {
            m_tray->checkAvailabilityIfDue();
        }
    });

    m_tray = new SystemTray(this, [this] { return anotherWindowIsOpen(); });
    connect(m_tray, &SystemTray::restoreRequested, this, &frmMain::restoreFromTray);
    connect(m_tray, &SystemTray::availabilityChanged, this, &frmMain::onTrayAvailabilityChanged);
    m_launcher.setOpenMainWindow([this] { restoreFromTray(); });
    m_launcher.setMonitoredLinks([this] { return m_engine->monitoredLinks(); });
    // The desktop session is ending: store the session without asking, as at system shutdown.
    connect(qApp, &QGuiApplication::commitDataRequest, this,
            [this](QSessionManager&) { requestClose(CloseReason::SystemShutdown); });
}

void frmMain::connectCommands() {
    const MainMenus& m = m_menus;
    connect(m.settings, &QAction::triggered, this, &frmMain::onSettings);
    connect(m.exit, &QAction::triggered, this, &frmMain::onExit);
    connect(m.start, &QAction::triggered, this, &frmMain::onStart);
    connect(m.pause, &QAction::triggered, this, &frmMain::onPause);
    connect(m.stop, &QAction::triggered, this, &frmMain::onStop);
    connect(m.resetSession, &QAction::triggered, this, &frmMain::onResetSession);
    connect(m.resetToday, &QAction::triggered, this, &frmMain::onResetToday);
    connect(m.resetMonth, &QAction::triggered, this, &frmMain::onResetMonth);
    connect(m.editLogs, &QAction::triggered, this, &frmMain::onEditLogs);
    connect(m.connections, &QAction::triggered, this, &frmMain::onConnections);
    connect(m.interfaceInfo, &QAction::triggered, this, &frmMain::onInterfaceInfo);
    connect(m.historyChart, &QAction::triggered, this, &frmMain::onHistoryChart);
    connect(m.traceroute, &QAction::triggered, this, &frmMain::onTraceroute);
    connect(m.whois, &QAction::triggered, this, &frmMain::onWhois);
    connect(m.alarm, &QAction::triggered, this, &frmMain::onAlarm);
    connect(m.contents, &QAction::triggered, this, &frmMain::onContents);
    connect(m.productPage, &QAction::triggered, this, &frmMain::onProductPage);
    connect(m.makerPage, &QAction::triggered, this, &frmMain::onMakerPage);
    connect(m.about, &QAction::triggered, this, &frmMain::onAbout);

    connect(m_toolbar.bar, &QToolBar::actionTriggered, this, &frmMain::onToolbarButton);

    connect(m_tray->mPopRestore, &QAction::triggered, this, &frmMain::restoreFromTray);
    connect(m_tray->mPopMinimize, &QAction::triggered, this, &frmMain::minimizeToTray);
    connect(m_tray->mPopStart, &QAction::triggered, this, &frmMain::onStart);
    connect(m_tray->mPopPause, &QAction::triggered, this, &frmMain::onPause);
    connect(m_tray->mPopStop, &QAction::triggered, this, &frmMain::onStop);
    connect(m_tray->mPopExit, &QAction::triggered, this, &frmMain::onExit);

    // Without a notification area there is nothing to minimise to.
    m_tray->mPopMinimize->setEnabled(SystemTray::isAvailable());
}

void frmMain::load() {
    const ConnectionsStatus status = m_engine->reloadConnections(m_paths.settingsPath);
    m_statusBar->setConnections(toQString(status.text), toQString(status.toolTip));
    m_statusBar->setConnectionsToolTipSource([this] { return toQString(m_engine->connectionsToolTip()); });
    m_helpPath = toQString(m_paths.helpPath());

    readDisplaySettings();
    const bool chartShown = iniToBool(readIni(m_paths.settingsPath, kChartVisible), true);
    m_menus.historyChart->setChecked(chartShown);
    m_chart->setVisible(chartShown);
    m_hiddenChartHeight = kDefaultHeight - MainLayout::toPixels(MainLayout::kMinHeightWithoutChartTw);
    updateMinimumSize();
    resize(kDefaultClientWidth, chartShown ? kDefaultHeight : minimumHeight());
    relayout();

    m_controller = std::make_unique<MonitorController>(m_paths, m_engine->engine(), m_clock, *this);
    m_controller->setDebugMode(m_options.debugMode);
    m_controller->start();
    drawLabels(); // once at load, shown or not; from then on while the window is on screen

    // Registered even without a notification area: the icon appears when one does.
    m_tray->show();
}

void frmMain::readDisplaySettings() {
    const std::string& ini = m_paths.settingsPath;
    for (std::size_t i = 0; i < 3; ++i) {
        m_unitSettings[i] = iniToInt(readIni(ini, kUnitCombos[i]));
    }
    m_unitSettings[3] = iniToInt(readIni(ini, kSpeedCombo));
    m_chart->setShowBarChart(iniToBool(readIni(ini, kShowBarChart), true));
    m_billing = loadBillingSettings(ini);
}

void frmMain::showAtStartup() {
    if (m_options.debugMode || !m_options.winStartUp) {
        show();
    } else if (!m_tray->isShown()) {
        showMinimizedForWantOfTray();
    }
}

void frmMain::showMinimizedForWantOfTray() {
    // Never a running program without a window or an icon to bring it back.
    showMinimized();
    m_minimizedForWantOfTray = true;
}

void frmMain::onTrayAvailabilityChanged(bool available) {
    m_tray->mPopMinimize->setEnabled(available);
    if (m_unloading) {
        return;
    }
    if (!available && !isVisible()) {
        showMinimizedForWantOfTray();
    } else if (available && m_minimizedForWantOfTray && isMinimized()) {
        hide(); // where "-winStartUp" or the close box meant it to be
        m_minimizedForWantOfTray = false;
    }
}

void frmMain::changeEvent(QEvent* event) {
    if (event->type() == QEvent::WindowStateChange) {
        if (!isMinimized()) {
            m_minimizedForWantOfTray = false; // the user has taken the window back
        }
        onScreenStateChanged();
    }
    QMainWindow::changeEvent(event);
}

void frmMain::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    applyWindowIcon();
    onScreenStateChanged();
}

void frmMain::hideEvent(QHideEvent* event) {
    QMainWindow::hideEvent(event);
    onScreenStateChanged();
}

void frmMain::onScreenStateChanged() {
    const bool onScreen = isOnScreen();
    if (onScreen == m_onScreen) {
        return;
    }
    m_onScreen = onScreen;
    // Nothing periodic for a window nobody sees; the clock, labels and chart catch up when it is back.
    m_statusBar->setClockRunning(onScreen);
    if (onScreen && m_controller) {
        drawLabels();
        m_chart->redraw();
    }
}

void frmMain::drawLabels() {
    m_panels->showSpeeds(m_downloadSpeed, m_uploadSpeed, m_unitSettings[3], localeDecimalSeparator());
    m_panels->showTotals(m_controller->periods(), m_unitSettings, localeDecimalSeparator());
    showMonthExtras();
}

// ---- layout -------------------------------------------------------------------------------------------------------

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_client && event->type() == QEvent::Resize) {
        relayout();
    }
    return QMainWindow::eventFilter(watched, event);
}

void frmMain::updateMinimumSize() {
    const int chrome = menuBar()->sizeHint().height() + statusBar()->sizeHint().height();
    const int panelsBottom = MainLayout::toPixels(MainLayout::chartTopTw(m_panelRows)) + 8;
    const int chartMinimum =
        MainLayout::toPixels(MainLayout::kMinHeightWithChartTw - MainLayout::kMinHeightWithoutChartTw);
    const int withoutChart =
        std::max(MainLayout::toPixels(MainLayout::kMinHeightWithoutChartTw), chrome + panelsBottom);
    const int height =
        m_menus.historyChart->isChecked()
            ? std::max(MainLayout::toPixels(MainLayout::kMinHeightWithChartTw), withoutChart + chartMinimum)
            : withoutChart;
    setMinimumSize(MainLayout::toPixels(MainLayout::kMinWidthTw), height);
}

void frmMain::relayout() {
    if (isMinimized()) {
        return;
    }
    const int coolBarHeight = m_toolbar.bar->sizeHint().height() + 4;
    const MainLayout l =
        MainLayout::compute(m_client->width(), m_client->height(), coolBarHeight, isChartEnlarged(), m_panelRows);
    m_coolBar->setGeometry(l.coolBar);
    m_toolbar.bar->resize(l.coolBar.width() - 4, coolBarHeight - 2);
    m_panels->applyLayout(l);
    m_chart->setGeometry(l.chart);
    m_chart->data().setSize(l.chartWidth);
}

bool frmMain::isChartEnlarged() const {
    return m_chart->isEnlarged();
}

void frmMain::setChartEnlarged(bool enlarged) {
    m_chart->setEnlarged(enlarged);
    m_coolBar->setVisible(!enlarged);
    m_panels->setVisible(!enlarged);
    relayout();
    m_chart->clearPicture();
}

// ---- tray and closing ---------------------------------------------------------------------------------------------

void frmMain::restoreFromTray() {
    m_minimizedForWantOfTray = false;
    updateTotals(m_controller->periods());
    if (isMinimized()) {
        showNormal();
    } else {
        show();
    }
    raise();
    activateWindow();
}

void frmMain::minimizeToTray() {
    if (!m_tray->isShown()) {
        showMinimizedForWantOfTray();
        return;
    }
    hide();
}

bool frmMain::requestClose(CloseReason reason) {
    switch (m_controller->requestClose(reason)) {
    case CloseDecision::HideToTray:
        minimizeToTray();
        return false;
    case CloseDecision::Cancel:
        return false;
    case CloseDecision::Quit:
        unload();
        return true;
    }
    return false;
}

void frmMain::closeEvent(QCloseEvent* event) {
    if (m_unloading) {
        event->accept();
        return;
    }
    m_inCloseEvent = true;
    const bool unloaded = requestClose(event->spontaneous() ? CloseReason::CloseBox : CloseReason::UserExit);
    m_inCloseEvent = false;
    event->setAccepted(unloaded);
}

void frmMain::unload() {
    m_timer.stop();
    m_tray->remove();
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w != this && w->isVisible() && w->isWindow()) {
            w->close();
        }
    }
    m_unloading = true;
    hide();
    if (!m_inCloseEvent) {
        close();
    }
    emit unloaded();
    QCoreApplication::quit();
}

} // namespace tw
