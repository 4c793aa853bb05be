#include "app/MonitorController.h"

#include "alarms/AlarmList.h"
#include "app/AppPaths.h"
#include "common/MessageSink.h"
#include "config/BillingSettings.h"
#include "config/IconSensitivity.h"
#include "config/SettingsKeys.h"
#include "history/HistoryFile.h"
#include "measure/TrafficEngine.h"
#include "platform/Clock.h"

#include <cmath>
#include <limits>

namespace tw {

namespace {

constexpr std::uint64_t kFirstPassElapsedMs = 10000;
constexpr int kDefaultRefreshIndex = 2;
constexpr std::int32_t kMaxRate = std::numeric_limits<std::int32_t>::max();

constexpr std::string_view kAlarmEnabled = "Alarm enabled";
constexpr std::string_view kNoAlarm = "No alarm";
constexpr std::string_view kAlarmTriggered = "Alarm triggered";

// Rates are 32-bit in the records and the history file: a faster link is shown at the largest rate they hold.
std::int32_t toRate(double bytesPerSecond) {
    const double rounded = std::nearbyint(bytesPerSecond); // halves to even
    if (!(rounded > 0)) {
        return 0;
    }
    return rounded >= kMaxRate ? kMaxRate : static_cast<std::int32_t>(rounded);
}

TrayImage activityImage(std::int32_t download, std::int32_t upload, std::int32_t sensitivity) {
    const bool down = download >= sensitivity;
    const bool up = upload >= sensitivity;
    if (down && up) {
        return TrayImage::Both;
    }
    if (up) {
        return TrayImage::Upload;
    }
    if (down) {
        return TrayImage::Download;
    }
    return TrayImage::Idle;
}

bool hasTraffic(const dayObject& session) {
    return hasSessionTraffic(session);
}

std::string saveProblemText(const std::string& historyPath, bool atExit) {
    return "The history file " + historyPath + " cannot be written (is the disk full?).\n" +
           (atExit ? "The sessions not written yet are kept and added to it at the next start."
                   : "The sessions not written yet are kept and added to it as soon as it can be written again.");
}

} // namespace

MonitorController::MonitorController(std::string settingsPath, std::string historyPath, TrafficEngine& engine,
                                     Clock& clock, MonitorView& view)
    : m_settingsPath(std::move(settingsPath)), m_historyPath(std::move(historyPath)), m_saver(m_historyPath),
      m_engine(engine), m_clock(clock), m_view(view) {
    m_saver.adoptJournal();
    flushSessions("");
    m_monthStartDay = loadBillingSettings(m_settingsPath).monthStartDay;
    reloadPeriodTotals();
    m_iconSensitivity = loadIconSensitivity(m_settingsPath);
    m_alarms = loadAlarmRules(m_settingsPath);
    newSession();
}

MonitorController::MonitorController(const AppPaths& paths, TrafficEngine& engine, Clock& clock, MonitorView& view)
    : MonitorController(paths.settingsPath, paths.historyPath, engine, clock, view) {}

void MonitorController::start() {
    m_state = LoggingState::Logging;
    applyRefreshInterval();
    m_view.setLoggingState(LoggingState::Logging);
    m_lastJournalMs = m_clock.monotonicMs();
    if (!m_saver.waiting().empty()) {
        tellSaveProblem(false);
    }
}

int MonitorController::applyRefreshInterval() {
    int index = iniToInt(readIni(m_settingsPath, kRefreshCombo), kDefaultRefreshIndex);
    if (index < 0 || index >= static_cast<int>(kRefreshIntervalsMs.size())) {
        index = kDefaultRefreshIndex;
    }
    m_intervalMs = kRefreshIntervalsMs[static_cast<std::size_t>(index)];
    if (timerEnabled()) {
        m_view.setTimerRunning(true, m_intervalMs);
    }
    return m_intervalMs;
}

void MonitorController::monitorTick() {
    if (m_closed) {
        return;
    }
    m_engine.updateStatistics();
    const std::uint64_t nowMs = m_clock.monotonicMs();
    std::uint64_t elapsedMs = kFirstPassElapsedMs;
    if (m_lastTickMs) {
        elapsedMs = nowMs > *m_lastTickMs ? nowMs - *m_lastTickMs : 0;
    }
    m_lastTickMs = nowMs;
    const std::uint64_t received = m_engine.getBytesRecieved();
    const std::uint64_t sent = m_engine.getBytesSent();

    for (dayObject& period : m_periods) {
        period.setBytesReceived(period.getBytesReceived() + static_cast<double>(received));
        period.setBytesSent(period.getBytesSent() + static_cast<double>(sent));
    }
    dayObject& session = m_periods[0];
    // Two passes within the clock's resolution say nothing new about the speed: the previous one stands.
    if (elapsedMs > 0) {
        const auto down = toRate(static_cast<double>(received) / static_cast<double>(elapsedMs) * 1000.0);
        const auto up = toRate(static_cast<double>(sent) / static_cast<double>(elapsedMs) * 1000.0);
        if (session.getMaxDownloadRate() < down) {
            session.setMaxDownloadRate(down);
        }
        if (session.getMaxUploadRate() < up) {
            session.setMaxUploadRate(up);
        }
        session.setLastDownloadRate(down);
        session.setLastUploadRate(up);
    }
    const std::int32_t down = session.getLastDownloadRate();
    const std::int32_t up = session.getLastUploadRate();
    m_view.updateSpeeds(down, up);
    evaluateAlarms();
    m_view.setTrayImage(activityImage(down, up, m_iconSensitivity));

    if (!m_inLogViewer) {
        rollOverIfNewDay();
    }
    if (m_view.isWindowVisible()) {
        m_view.updateTotals(m_periods);
    }
    m_view.addChartSample(down, up);
    checkpointIfDue(nowMs);
}

bool MonitorController::evaluateAlarms() {
    std::string_view status = m_alarms.empty() ? kNoAlarm : kAlarmEnabled;
    bool fresh = false;
    for (alarmClass1& rule : m_alarms) {
        if (rule.checkValues(m_periods[0], m_periods[1], m_periods[2])) {
            if (rule.isShown()) {
                status = kAlarmTriggered;
            } else {
                fresh = true;
            }
        }
    }
    if (fresh) {
        status = kAlarmTriggered;
        // Later rules first, as the notification window lists them.
        std::vector<alarmClass1*> pending;
        std::vector<std::string> descriptions;
        for (auto it = m_alarms.rbegin(); it != m_alarms.rend(); ++it) {
            if (it->isTriggered() && !it->isShown()) {
                pending.push_back(&*it);
                descriptions.push_back(it->getString());
            }
        }
        if (m_view.showAlarmNotification(descriptions)) {
            for (alarmClass1* rule : pending) {
                rule->setShown(true);
            }
        }
    }
    m_view.setAlarmStatus(std::string(status));
    return fresh;
}

void MonitorController::rollOverIfNewDay() {
    const DateTime now = m_clock.now();
    if (m_periods[1].getDate().sameDay(now)) {
        return;
    }
    dayObject& session = m_periods[0];
    queueSession(true);
    session.setDate(now);
    session.reset();
    // The re-based session has nothing to lose yet; the day's share waits in the journal until the history takes it.
    if (!flushSessions("")) {
        tellSaveProblem(false);
    }
    reloadPeriodTotals();
}

void MonitorController::reloadPeriodTotals() {
    const DateTime now = m_clock.now();
    const DateTime before = m_periods[1].getDate();
    // Every rebuild over a day or billing month boundary ends the alarms' day or month, also when no pass noticed
    // it (a command run after a pause over midnight).
    if (!before.isZero() && !before.sameDay(now)) {
        for (alarmClass1& rule : m_alarms) {
            rule.changeDay();
        }
    }
    // A new first day of the month (the settings) may make another month too.
    if (!before.isZero() &&
        monthPeriodStart(before, m_monthStartDayOfTotals) != monthPeriodStart(now, m_monthStartDay)) {
        for (alarmClass1& rule : m_alarms) {
            rule.changeMonth();
        }
    }
    m_monthStartDayOfTotals = m_monthStartDay;
    PeriodTotals totals = loadPeriodTotals(m_historyPath, now, m_monthStartDay);
    // Sessions the history has refused so far still belong to their day and month.
    for (const std::string& line : m_saver.waiting()) {
        addLineToPeriodTotals(line, totals);
    }
    m_periods[1] = totals.today;
    m_periods[2] = totals.month;
}

void MonitorController::newSession() {
    m_periods[0] = dayObject{};
    m_periods[0].setDate(m_clock.now());
}

void MonitorController::startContinue() {
    if (m_closed || m_state == LoggingState::Logging) {
        return;
    }
    m_engine.continue_();
    m_state = LoggingState::Logging;
    m_view.setLoggingState(LoggingState::Logging);
    m_view.setTimerRunning(true, m_intervalMs);
    if (!m_lastJournalMs) {
        m_lastJournalMs = m_clock.monotonicMs();
    }
}

void MonitorController::pause() {
    if (m_closed || m_state != LoggingState::Logging) {
        return;
    }
    monitorTick();
    m_engine.pause();
    m_view.setTimerRunning(false, m_intervalMs);
    m_state = LoggingState::Paused;
    m_view.setLoggingState(LoggingState::Paused);
    // A pause may last for days: keep what was counted up to now.
    checkpoint();
}

bool MonitorController::stopLogging(bool silent) {
    if (m_closed || m_state == LoggingState::Stopped) {
        return false;
    }
    // The last interval's traffic belongs to the session that is about to be written.
    if (m_state == LoggingState::Logging) {
        monitorTick();
    }
    Answer answer = Answer::No;
    if (hasTraffic(m_periods[0]) && !silent) {
        answer = m_view.ask({"You are about to stop logging.\nDo you want to save this session?",
                             std::string(kAppTitle), true, Answer::Cancel});
        if (answer == Answer::Cancel) {
            return false;
        }
    }
    if (answer == Answer::Yes) {
        // Passes may have run while the question was open; this one takes the traffic up to the answer.
        if (m_state == LoggingState::Logging) {
            monitorTick();
        }
        queueSession(false);
    }

    m_view.setTimerRunning(false, m_intervalMs);
    m_engine.stopIt();
    m_state = LoggingState::Stopped;
    m_view.clearChart();
    newSession();
    if (!flushSessions("")) {
        tellSaveProblem(false);
    }
    reloadPeriodTotals();
    m_view.updateTotals(m_periods);
    m_view.updateSpeeds(0, 0);
    m_view.setLoggingState(LoggingState::Stopped);
    return true;
}

bool MonitorController::confirm(const std::string& text) {
    return m_view.ask({text, std::string(kAppTitle), false, Answer::No}) != Answer::No;
}

bool MonitorController::resetSession() {
    return reset("Do you really want to reset this session's logging?", ResetScope::Session);
}

bool MonitorController::resetToday() {
    return reset("Do you really want to reset all loggings made today?", ResetScope::Today);
}

bool MonitorController::resetMonth() {
    return reset("Do you really want to reset all loggings made this month?", ResetScope::Month);
}

bool MonitorController::reset(const std::string& question, ResetScope scope) {
    if (m_closed || !confirm(question)) {
        return false;
    }
    if (timerEnabled()) {
        monitorTick();
    }
    m_engine.stopIt();
    m_engine.continue_();
    newSession();
    const DateTime now = m_clock.now();
    if (scope != ResetScope::Session) {
        m_saver.dropWaiting([&](const std::string& line) {
            const auto stored = clsSessionData::parse(line);
            return stored &&
                   (scope == ResetScope::Today ? stored->startDate.sameDay(now)
                                               : monthPeriodOf(now, m_monthStartDay).contains(stored->startDate));
        });
    }
    if (!flushSessions("")) {
        tellSaveProblem(false);
    }
    if (scope != ResetScope::Session) {
        removeCurrentPeriod(m_historyPath, scope == ResetScope::Today, now, m_monthStartDay);
    }
    reloadPeriodTotals();
    m_view.updateTotals(m_periods);
    return true;
}

std::optional<clsSessionData> MonitorController::runningSessionForViewer() const {
    const dayObject& session = m_periods[0];
    clsSessionData running;
    running.startDate = session.getDate().withoutSeconds();
    running.downloaded = session.netBytesReceived();
    running.uploaded = session.netBytesSent();
    running.maxDownloadSpeed = session.getMaxDownloadRate();
    running.maxUploadSpeed = session.getMaxUploadRate();
    running.isCurrent = true;
    const bool listed = running.downloaded > 0 || running.uploaded > 0 || running.maxDownloadSpeed >= 1 ||
                        running.maxUploadSpeed >= 1 || timerEnabled();
    if (!listed) {
        return std::nullopt;
    }
    return running;
}

void MonitorController::editLogs() {
    if (m_closed) {
        return;
    }
    // The viewer shows and rewrites the history: sessions still waiting go into it first if they can.
    if (!flushSessions(runningLine())) {
        tellSaveProblem(false);
    }
    // Passes go on while the viewer is open, but a midnight line must not be appended to a file the viewer may
    // rewrite: the roll-over waits until it is closed.
    m_inLogViewer = true;
    m_view.openLogViewer(runningSessionForViewer());
    m_inLogViewer = false;
    rollOverIfNewDay();
    reloadPeriodTotalsWithSession();
    m_view.updateTotals(m_periods);
}

void MonitorController::reloadPeriodTotalsWithSession() {
    reloadPeriodTotals();
    // The part of the running session not written yet belongs to today and this month too.
    const dayObject& session = m_periods[0];
    for (dayObject* period : {&m_periods[1], &m_periods[2]}) {
        period->setBytesReceived(period->getBytesReceived() + session.netBytesReceived());
        period->setBytesSent(period->getBytesSent() + session.netBytesSent());
    }
}

CloseDecision MonitorController::requestClose(CloseReason reason) {
    if (m_closed) {
        return CloseDecision::Quit;
    }
    if (reason == CloseReason::CloseBox) {
        return CloseDecision::HideToTray;
    }
    // The traffic of the last interval is part of the session; traffic during a pause never is.
    if (m_state == LoggingState::Logging) {
        monitorTick();
    }
    const bool silent = reason == CloseReason::SystemShutdown || m_debugMode;
    if (silent) {
        queueSession(false);
    } else if (hasTraffic(m_periods[0])) {
        const Answer answer =
            m_view.ask({"You are about to shutdown " + std::string(kAppTitle) + ". \nDo you want to save this session?",
                        std::string(kAppTitle), true, Answer::Yes});
        if (answer == Answer::Cancel) {
            return CloseDecision::Cancel;
        }
        if (answer == Answer::Yes) {
            if (m_state == LoggingState::Logging) {
                monitorTick();
            }
            queueSession(false);
        }
    }
    // What the history file refuses now stays in the journal for the next start.
    if (!flushSessions("")) {
        tellSaveProblem(true, reason == CloseReason::UserExit);
    }
    // The remembered totals take in the session just written, so that the next start reads nothing of the history.
    static_cast<void>(loadPeriodTotals(m_historyPath, m_clock.now(), m_monthStartDay));
    m_closed = true;
    m_view.setTimerRunning(false, m_intervalMs);
    return CloseDecision::Quit;
}

void MonitorController::queueSession(bool endsAtMidnight) {
    dayObject& session = m_periods[0];
    const DateTime now = m_clock.now();
    if (hasTraffic(session)) {
        m_saver.add(stopSessionLine(session, endsAtMidnight, now));
    } else {
        writeHeaderIfNew(m_historyPath, now);
    }
}

bool MonitorController::flushSessions(const std::string& running) {
    const bool ok = m_saver.flush(running, m_clock.now());
    if (ok) {
        m_saveProblemTold = false;
    }
    return ok;
}

std::string MonitorController::runningLine() const {
    const dayObject& session = m_periods[0];
    if (session.netBytesReceived() <= 0 && session.netBytesSent() <= 0) {
        return {};
    }
    dayObject stopped = session;
    stopped.setStopDate(m_clock.now());
    return stopped.getString();
}

void MonitorController::tellSaveProblem(bool atExit, bool waitForOk) {
    // Once until the history takes the sessions again, not at every pass; leaving always tells.
    if (m_saveProblemTold && !atExit) {
        return;
    }
    m_saveProblemTold = true;
    m_view.showSaveProblem(saveProblemText(m_historyPath, atExit), waitForOk);
}

void MonitorController::applySettingsChange() {
    m_iconSensitivity = loadIconSensitivity(m_settingsPath);
    const int monthStartDay = loadBillingSettings(m_settingsPath).monthStartDay;
    if (monthStartDay != m_monthStartDay) {
        // Another first day makes another month: its totals come from the history again.
        m_monthStartDay = monthStartDay;
        reloadPeriodTotalsWithSession();
        m_view.updateTotals(m_periods);
    }
    m_engine.updateStatistics();
    static_cast<void>(m_engine.getBytesRecieved());
    static_cast<void>(m_engine.getBytesSent());
    if (timerEnabled()) {
        applyRefreshInterval();
    }
}

void MonitorController::reloadAlarmRules() {
    m_alarms = loadAlarmRules(m_settingsPath);
}

void MonitorController::checkpointIfDue(std::uint64_t nowMs) {
    if (!m_lastJournalMs) {
        m_lastJournalMs = nowMs;
        return;
    }
    if (nowMs - *m_lastJournalMs < m_journalIntervalMs) {
        return;
    }
    checkpoint();
}

void MonitorController::checkpoint() {
    m_lastJournalMs = m_clock.monotonicMs();
    // Sessions the history refused are tried again at every checkpoint.
    if (!flushSessions(runningLine())) {
        tellSaveProblem(false);
    }
}

} // namespace tw
