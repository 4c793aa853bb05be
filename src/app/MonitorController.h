#pragma once

#include "alarms/alarmClass1.h"
#include "app/MonitorView.h"
#include "app/SessionSaver.h"
#include "history/HistoryFile.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tw {

struct AppPaths;
class Clock;
class TrafficEngine;

// Why the main window is asked to close.
enum class CloseReason {
    CloseBox,       // the window's close box: hide to the tray
    UserExit,       // "Exit" in the File menu, "Shut down" in the tray menu
    SystemShutdown, // desktop session ending, SIGTERM, SIGINT: save without asking
};

enum class CloseDecision {
    HideToTray, // hide the window (with the tray animation); the program goes on
    Quit,       // the session is dealt with; unload the window and end
    Cancel,     // the user chose to stay
};

// The refresh periods of the "refreshCombo" setting, in milliseconds.
inline constexpr std::array<int, 10> kRefreshIntervalsMs = {250,  500,  1000,  2000,  3000,
                                                            4000, 5000, 10000, 30000, 60000};

// The monitor pass, logging control and alarm evaluation of the main window, kept free of the toolkit so that whole
// days run in tests with a scripted engine, clock and view. The window owns the timer and calls monitorTick from it.
class MonitorController {
public:
    // Adds the sessions of a journal left behind by an unclean end to the history, builds today and this month
    // from the history file, reads the icon sensitivity and the alarm rules, and dates a new session now. Nothing
    // is shown and no timer runs until start().
    MonitorController(std::string settingsPath, std::string historyPath, TrafficEngine& engine, Clock& clock,
                      MonitorView& view);
    MonitorController(const AppPaths& paths, TrafficEngine& engine, Clock& clock, MonitorView& view);

    // Logging from the first moment: starts the timer and shows the Logging state.
    void start();

    // One pass: deltas into the three periods, speeds, alarms, activity image, day and month roll-over, totals and
    // chart. The timer handler calls this and nothing else.
    void monitorTick();
    // Reads "refreshCombo" (outside 0..9 counts as 2) and restarts the timer with that period. Returns the period.
    int applyRefreshInterval();
    // Checks every rule against the periods, sets the alarm status and offers newly fired alarms to the
    // notification window. True when a new alarm fired.
    bool evaluateAlarms();

    // Logging commands (menu, toolbar and tray alike).
    void startContinue();
    void pause();
    // Stops the session, asking whether to save it unless silent or empty. False when the user cancelled.
    bool stopLogging(bool silent = false);
    // The resets ask first; true when the user agreed. The logging state does not change.
    bool resetSession();
    bool resetToday();
    bool resetMonth();
    // The log viewer; afterwards today and this month are rebuilt and the running session's net amounts added back.
    void editLogs();

    // Decides a close request. Leaving while logging first runs a last pass; the close box only hides the window.
    // On Quit the session has been written as the reason requires (sessions the history file refused are kept in
    // the journal for the next start, and the user is told) and no pass runs any more.
    CloseDecision requestClose(CloseReason reason);

    // After the settings window: re-reads the icon sensitivity and the billing month's first day (a new one rebuilds
    // today and this month), drops whatever the engine gathered with the old connections (the caller has rebuilt
    // them), and applies the refresh interval if logging runs.
    void applySettingsChange();
    // After the alarm window was confirmed: the rules are built again from the settings file.
    void reloadAlarmRules();

    // "-debug": leaving the program writes the session without asking.
    void setDebugMode(bool on) { m_debugMode = on; }
    bool debugMode() const { return m_debugMode; }

    const PeriodRecords& periods() const { return m_periods; }
    std::vector<alarmClass1>& alarms() { return m_alarms; }
    const std::vector<alarmClass1>& alarms() const { return m_alarms; }
    LoggingState loggingState() const { return m_state; }
    bool timerEnabled() const { return m_state == LoggingState::Logging; }
    std::int32_t iconSensitivity() const { return m_iconSensitivity; }
    // The day of the month "this month" starts on (the billing period; 1 for the calendar month).
    int monthStartDay() const { return m_monthStartDay; }

    const std::string& settingsPath() const { return m_settingsPath; }
    const std::string& historyPath() const { return m_historyPath; }

    // Milliseconds between two checkpoints of the running session into the journal.
    static constexpr std::uint64_t kJournalIntervalMs = 60'000;
    void setJournalIntervalMs(std::uint64_t ms) { m_journalIntervalMs = ms > 0 ? ms : kJournalIntervalMs; }

private:
    enum class ResetScope { Session, Today, Month };

    bool reset(const std::string& question, ResetScope scope);
    void rollOverIfNewDay();
    void reloadPeriodTotals();
    // The same, and the running session's unwritten amounts added back to today and this month.
    void reloadPeriodTotalsWithSession();
    void newSession();
    // Queues the session's history line (stop date set) for the next flush; a session without traffic only gets
    // a new history file its header.
    void queueSession(bool endsAtMidnight);
    bool flushSessions(const std::string& running);
    // The running session's journal line, stopped now; empty when it has nothing to lose.
    std::string runningLine() const;
    void checkpointIfDue(std::uint64_t nowMs);
    void checkpoint();
    void tellSaveProblem(bool atExit, bool waitForOk = false);
    std::optional<clsSessionData> runningSessionForViewer() const;
    bool confirm(const std::string& text);

    std::string m_settingsPath;
    std::string m_historyPath;
    SessionSaver m_saver;
    TrafficEngine& m_engine;
    Clock& m_clock;
    MonitorView& m_view;

    PeriodRecords m_periods;
    std::vector<alarmClass1> m_alarms;
    LoggingState m_state = LoggingState::Stopped;
    int m_intervalMs = 1000;
    std::int32_t m_iconSensitivity = 1;
    int m_monthStartDay = 1;
    int m_monthStartDayOfTotals = 1; // the first day the month record was built with
    bool m_debugMode = false;
    bool m_inLogViewer = false;
    bool m_closed = false;          // the session was dealt with by a close request; no pass may follow
    bool m_saveProblemTold = false; // since the last time the history took every waiting session
    std::optional<std::uint64_t> m_lastTickMs;
    std::optional<std::uint64_t> m_lastJournalMs;
    std::uint64_t m_journalIntervalMs = kJournalIntervalMs;
};

} // namespace tw
