// The main window's side of the monitor pass and the logging commands (MonitorView).
#include "app/ui/frmMain.h"

#include "app/TrayToolTip.h"

#include "app/ui/LiveChart.h"
#include "app/ui/MainLayout.h"
#include "app/ui/MainStatusBar.h"
#include "app/ui/PeriodPanels.h"
#include "app/ui/ResourceImages.h"
#include "app/ui/SystemTray.h"
#include "app/ui/frmSplash.h"
#include "platform/Clock.h"
#include "widgets/ui/UiText.h"

#include <QAction>
#include <QApplication>
#include <QDebug>
#include <QMessageBox>

namespace tw {

void frmMain::updateSpeeds(std::int32_t download, std::int32_t upload) {
    m_downloadSpeed = download;
    m_uploadSpeed = upload;
    if (isOnScreen()) {
        m_panels->showSpeeds(download, upload, m_unitSettings[3], localeDecimalSeparator());
    }
    refreshTrayToolTip();
}

void frmMain::updateTotals(const PeriodRecords& periods) {
    if (isOnScreen()) {
        m_panels->showTotals(periods, m_unitSettings, localeDecimalSeparator());
        showMonthExtras();
    }
    refreshTrayToolTip();
}

MonthPeriod frmMain::monthPeriod() const {
    const int startDay = m_controller ? m_controller->monthStartDay() : m_billing.monthStartDay;
    const DateTime date = m_controller ? m_controller->periods()[2].getDate() : m_clock.now();
    return monthPeriodOf(date, startDay);
}

std::optional<AllowanceForecast> frmMain::allowanceForecast() const {
    if (!m_controller) {
        return std::nullopt;
    }
    const dayObject& month = m_controller->periods()[2];
    return forecastAllowance(month.getBytesReceived() + month.getBytesSent(), m_billing.monthlyAllowance, monthPeriod(),
                             m_clock.now(), localeDecimalSeparator());
}

void frmMain::showMonthExtras() {
    const bool calendarMonth = (m_controller ? m_controller->monthStartDay() : m_billing.monthStartDay) == 1;
    m_panels->showMonthPeriod(monthPeriod(), calendarMonth);
    m_panels->showAllowance(allowanceForecast());
    const int rows = m_panels->extraRows();
    if (rows == m_panelRows) {
        return;
    }
    // The lines are added to or taken from the window's height, so the chart keeps its size.
    const int change = MainLayout::toPixels((rows - m_panelRows) * MainLayout::kPanelRowTw);
    m_panelRows = rows;
    updateMinimumSize();
    if (!isMaximized() && !isFullScreen()) {
        resize(width(), std::max(height() + change, minimumHeight()));
    }
    relayout();
}

void frmMain::refreshTrayToolTip(bool now) {
    if (!m_controller || m_trayStateLine.isEmpty()) {
        return; // still loading: the first logging state brings the first tooltip
    }
    if (!now && m_passesDriveTray && !m_tray->toolTipDue()) {
        return; // a later pass brings the text of its moment
    }
    const PeriodRecords& periods = m_controller->periods();
    const std::optional<TraySpeeds> speeds =
        m_logging ? std::optional(TraySpeeds{m_downloadSpeed, m_uploadSpeed}) : std::nullopt;
    const std::string_view monthWord = m_controller->monthStartDay() == 1 ? "Month" : "Period";
    std::string allowanceLine;
    if (const auto allowance = allowanceForecast()) {
        allowanceLine = allowance->share + " \u00b7 " + allowance->forecast;
    }
    m_tray->setToolTip(QString::fromStdString(trayToolTip(m_trayStateLine.toStdString(), speeds, periods[1], periods[2],
                                                          localeDecimalSeparator(), monthWord, allowanceLine)));
}

void frmMain::addChartSample(std::int32_t download, std::int32_t upload) {
    if (m_menus.historyChart->isChecked()) {
        m_chart->drawChart(upload, download, true);
    }
}

void frmMain::clearChart() {
    m_chart->clearAll();
}

void frmMain::setAlarmStatus(const std::string& text) {
    if (text != m_alarmStatus) {
        m_alarmStatus = text;
        m_statusBar->setAlarmStatus(toQString(text));
    }
}

void frmMain::setTrayImage(TrayImage image) {
    // Most passes repeat the image; setting it again would only make the desktop redraw the same icon.
    if (m_shownImage == image) {
        return;
    }
    m_shownImage = image;
    m_tray->setImage(image);
    // A minimised window still shows its icon in the task bar; a hidden one nowhere: it takes it when shown.
    if (isVisible()) {
        applyWindowIcon();
    }
}

void frmMain::applyWindowIcon() {
    if (m_shownImage && m_windowImage != m_shownImage) {
        m_windowImage = m_shownImage;
        setWindowIcon(trayImage(*m_shownImage));
    }
}

void frmMain::setLoggingState(LoggingState state) {
    const bool logging = state == LoggingState::Logging;
    const bool paused = state == LoggingState::Paused;
    const bool stopped = state == LoggingState::Stopped;
    for (QAction* start : {m_menus.start, m_toolbar.start, m_tray->mPopStart}) {
        start->setEnabled(!logging);
    }
    for (QAction* pause : {m_menus.pause, m_toolbar.pause, m_tray->mPopPause}) {
        pause->setEnabled(logging);
    }
    for (QAction* stop : {m_menus.stop, m_toolbar.stop, m_tray->mPopStop}) {
        stop->setEnabled(!stopped);
    }
    m_menus.resetSession->setEnabled(!stopped);

    const TrayImage image = logging ? TrayImage::Idle : paused ? TrayImage::Paused : TrayImage::Stopped;
    const QString suffix = logging  ? QStringLiteral(" - Logging")
                           : paused ? QStringLiteral(" - Logging paused")
                                    : QStringLiteral(" - Not logging");
    setTrayImage(image);
    m_logging = logging;
    m_trayStateLine = appTitle() + suffix;
    refreshTrayToolTip(true);
}

void frmMain::setTimerRunning(bool running, int intervalMs) {
    m_timer.stop();
    if (running) {
        m_timer.setInterval(intervalMs);
        m_timer.start();
    }
    // One wake-up per pass: the tray's once-a-second work rides on the passes when they come that often.
    m_passesDriveTray = running && intervalMs <= SystemTray::kWatchIntervalMs;
    m_tray->setWatchedByOwner(m_passesDriveTray);
}

bool frmMain::showAlarmNotification(const std::vector<std::string>& descriptions) {
    return m_launcher.showAlarmNotification(descriptions);
}

Answer frmMain::ask(const Question& question) {
    QMessageBox box(
        QMessageBox::Question, toQString(question.caption), toQString(question.text),
        QMessageBox::Yes | QMessageBox::No | (question.withCancel ? QMessageBox::Cancel : QMessageBox::NoButton), this);
    const QMessageBox::StandardButton byDefault = question.defaultButton == Answer::Yes  ? QMessageBox::Yes
                                                  : question.defaultButton == Answer::No ? QMessageBox::No
                                                                                         : QMessageBox::Cancel;
    box.setDefaultButton(byDefault);
    box.setEscapeButton(question.withCancel ? QMessageBox::Cancel : QMessageBox::No);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return question.withCancel ? Answer::Cancel : Answer::No;
    }
}

bool frmMain::openLogViewer(const std::optional<clsSessionData>& running) {
    // The progress window shows the history's load and goes with the viewer.
    auto* progress = new frmSplash(this);
    m_launcher.windows().add(progress);
    progress->Progress(0);
    progress->show();
    progress->move(geometry().center() - progress->rect().center());
    const bool accepted = m_launcher.openLogViewer(running, *progress);
    progress->close();
    progress->deleteLater();
    return accepted;
}

bool frmMain::isWindowVisible() const {
    return isOnScreen();
}

bool frmMain::isOnScreen() const {
    return isVisible() && !isMinimized();
}

void frmMain::showSaveProblem(const std::string& text, bool waitForOk) {
    qWarning().noquote() << toQString(text); // also for a desktop session that is ending
    auto* box = new QMessageBox(QMessageBox::Warning, appTitle(), toQString(text), QMessageBox::Ok, this);
    box->setObjectName(QStringLiteral("saveProblemBox"));
    if (waitForOk) {
        box->exec();
        delete box;
        return;
    }
    // The passes go on while it is shown.
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    box->show();
}

bool frmMain::anotherWindowIsOpen() const {
    return m_launcher.windows().anyOpen();
}

} // namespace tw
