// The command handlers of the main window: a menu item, its toolbar button and its tray item all land here.
#include "app/ui/frmMain.h"

#include "app/ui/LiveChart.h"
#include "app/ui/MainStatusBar.h"
#include "app/ui/WebPages.h"
#include "app/ui/frmAbout.h"
#include "config/SettingsKeys.h"
#include "widgets/ui/MessageBoxes.h"
#include "widgets/ui/UiText.h"

#include <QAction>
#include <QFileInfo>

namespace tw {

void frmMain::onStart() {
    m_controller->startContinue();
}

void frmMain::onPause() {
    m_controller->pause();
}

void frmMain::onStop() {
    m_controller->stopLogging(false);
}

void frmMain::onResetSession() {
    m_controller->resetSession();
}

void frmMain::onResetToday() {
    m_controller->resetToday();
}

void frmMain::onResetMonth() {
    m_controller->resetMonth();
}

void frmMain::onEditLogs() {
    m_controller->editLogs();
}

void frmMain::onSettings() {
    if (m_launcher.openSettings()) {
        applySettingsChange();
    }
}

void frmMain::applySettingsChange() {
    readDisplaySettings();
    updateTotals(m_controller->periods());
    const ConnectionsStatus status = m_engine->reloadConnections(m_paths.settingsPath);
    m_statusBar->setConnections(toQString(status.text), toQString(status.toolTip));
    m_controller->applySettingsChange();
}

void frmMain::onExit() {
    requestClose(CloseReason::UserExit);
}

void frmMain::onConnections() {
    m_launcher.openTool(WindowLauncher::Tool::Connections);
}

void frmMain::onInterfaceInfo() {
    m_launcher.openTool(WindowLauncher::Tool::InterfaceInfo);
}

void frmMain::onTraceroute() {
    m_launcher.openTool(WindowLauncher::Tool::Traceroute);
}

void frmMain::onWhois() {
    m_launcher.openTool(WindowLauncher::Tool::Whois);
}

void frmMain::onAlarm() {
    if (m_launcher.openAlarms()) {
        m_controller->reloadAlarmRules();
    }
}

void frmMain::onHistoryChart(bool shown) {
    if (isChartEnlarged()) {
        setChartEnlarged(false);
    }
    m_menus.historyChart->setChecked(shown);
    // The chart's height is taken from the window, so the panels keep their size, and what was taken is given back:
    // at its least height the window gives up less than the whole chart.
    const int targetHeight = shown ? height() + m_hiddenChartHeight : height() - m_chart->height();
    m_chart->setVisible(shown);
    updateMinimumSize();
    if (!isMaximized() && !isFullScreen()) {
        const int newHeight = std::max(targetHeight, minimumHeight());
        if (!shown) {
            m_hiddenChartHeight = height() - newHeight;
        }
        resize(width(), newHeight);
    } else if (!shown) {
        m_hiddenChartHeight = 0; // a maximised window keeps its height
    }
    if (!shown) {
        m_chart->data().setSize(m_chart->data().getSize());
        m_chart->clearPicture();
    }
    relayout();
    writeIni(m_paths.settingsPath, kChartVisible, shown ? "True" : "False");
}

void frmMain::onChartDoubleClicked() {
    setChartEnlarged(!isChartEnlarged());
}

void frmMain::onContents() {
    if (m_helpPath.isEmpty() || !QFileInfo::exists(m_helpPath)) {
        showMessageBox(this,
                       QStringLiteral("Unable to display Help Contents. There is no Help associated with "
                                      "this project."),
                       QMessageBox::Information);
        return;
    }
    if (!openWithDesktop(QUrl::fromLocalFile(m_helpPath))) {
        showMessageBox(this, QStringLiteral("The help page could not be opened: ") + m_helpPath, QMessageBox::Warning);
    }
}

void frmMain::onProductPage() {
    openWebPage(productPageUrl(), this);
}

void frmMain::onMakerPage() {
    openWebPage(makerPageUrl(), this);
}

void frmMain::onAbout() {
    frmAbout about(this);
    about.exec();
}

void frmMain::onToolbarButton(QAction* button) {
    const QString key = button->data().toString();
    if (key == QLatin1String("Start")) {
        onStart();
    } else if (key == QLatin1String("Pause")) {
        onPause();
    } else if (key == QLatin1String("Stop")) {
        onStop();
    } else if (key == QLatin1String("Statistics")) {
        onEditLogs();
    } else if (key == QLatin1String("Settings")) {
        onSettings();
    } else if (key == QLatin1String("Alarm")) {
        onAlarm();
    } else if (key == QLatin1String("Traceroute")) {
        onTraceroute();
    } else if (key == QLatin1String("Whois")) {
        onWhois();
    } else if (key == QLatin1String("Contents")) {
        onContents();
    }
}

} // namespace tw
