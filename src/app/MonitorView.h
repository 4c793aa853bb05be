#pragma once

#include "history/clsSessionData.h"
#include "history/dayObject.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tw {

// The three period records: 0 this session, 1 today, 2 this month.
using PeriodRecords = std::array<dayObject, 3>;

// Images of the window and tray icon. The activity images follow the speeds on every pass; the last three belong to
// the logging states.
enum class TrayImage { Idle = 1, Download = 2, Upload = 3, Both = 4, Stopped = 5, Paused = 6 };

enum class LoggingState { Logging, Paused, Stopped };

enum class Answer { Yes, No, Cancel };

// A message box with a question icon. Without Cancel the buttons are Yes and No.
struct Question {
    std::string text;    // line breaks as "\n"
    std::string caption; // the application title
    bool withCancel = false;
    Answer defaultButton = Answer::No;
};

// What the monitor controller needs of the main window. frmMain implements it; tests script it.
class MonitorView {
public:
    virtual ~MonitorView() = default;

    // The three speed labels of the session panel; also while the window is hidden.
    virtual void updateSpeeds(std::int32_t download, std::int32_t upload) = 0;
    // The nine amount labels. The controller calls it only while the window is visible, and after every command
    // that replaces records.
    virtual void updateTotals(const PeriodRecords& periods) = 0;
    // One live-chart sample; the window stores and draws it only while the "History chart" item is checked.
    virtual void addChartSample(std::int32_t download, std::int32_t upload) = 0;
    // Empties the chart's sample buffer and clears the picture (Stop).
    virtual void clearChart() = 0;

    // Status bar panel 2: "Alarm enabled", "No alarm" or "Alarm triggered".
    virtual void setAlarmStatus(const std::string& text) = 0;

    // Activity image of a pass: becomes the window icon and the tray icon (the tray icon is modified every time).
    virtual void setTrayImage(TrayImage image) = 0;
    // Image, tray tooltip and command enabling of a logging state:
    //   Logging: image Idle, title + " - Logging"; Start off, Pause on, Stop on, Reset "Current Session" on.
    //   Paused:  image Paused, title + " - Logging paused"; Start on, Pause off, Stop on, "Current Session" on.
    //   Stopped: image Stopped, title + " - Not logging"; Start on, Pause off, Stop off, "Current Session" off.
    // Reset "Today", "This Month" and "Edit logs..." are always on. Menu, toolbar and tray items follow alike.
    virtual void setLoggingState(LoggingState state) = 0;

    // (Re)starts the monitor timer with the period (the period starts anew), or stops it. The timer's handler
    // calls MonitorController::monitorTick and nothing else.
    virtual void setTimerRunning(bool running, int intervalMs) = 0;

    // Offers newly fired alarms to the notification window, descriptions already in display order: appended to
    // the list when the window is displayed, else shown in a fresh window (with its sound) unless another window
    // of the program is open. False when nothing could be shown; the alarms then stay pending for the next pass.
    virtual bool showAlarmNotification(const std::vector<std::string>& descriptions) = 0;

    // A question; blocks until answered.
    virtual Answer ask(const Question& question) = 0;

    // The log viewer, modal, with the progress window of its loading. `running` is the unsaved running session
    // (isCurrent set, no stop date) it lists apart; none when it is not listed (no traffic, no rate, timer not
    // running). True when it was closed with OK and may have rewritten the history file.
    virtual bool openLogViewer(const std::optional<clsSessionData>& running) = 0;

    virtual bool isWindowVisible() const = 0;

    // Tells the user that sessions could not be written to the history file and are kept for later. With waitForOk
    // the program is about to end and the message must be seen first; otherwise it must not hold up the passes.
    virtual void showSaveProblem(const std::string& text, bool waitForOk) = 0;
};

} // namespace tw
