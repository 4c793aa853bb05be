#pragma once

#include "common/DateTime.h"
#include "history/clsSessionData.h"

#include <optional>
#include <string>

namespace tw {

// The fields of the add and edit log dialogs, as typed.
struct LogEntryTexts {
    std::string startTime; // "hh:mm"
    std::string endTime;
    std::string downloaded; // bytes; blanks between digit groups allowed
    std::string uploaded;
    std::string maxDownloadSpeed; // bytes per second
    std::string maxUploadSpeed;
};

enum class LogEntryField { StartTime, EndTime, Downloaded, Uploaded, MaxDownloadSpeed, MaxUploadSpeed };
enum class LogEntryDialogKind { Add, Edit };

struct LogEntryProblem {
    LogEntryField field;
    std::string message;
};

// The confirm checks of both dialogs, in order; the first failure, or nothing when the entry is sound. Negative
// amounts and speeds are refused as not numeric.
std::optional<LogEntryProblem> checkLogEntry(const LogEntryTexts& texts, LogEntryDialogKind kind);

// The session of a checked entry: start and stop on `date` at the typed times (to the minute), amounts and speeds
// read with blanks removed and rounded to whole numbers.
clsSessionData sessionFromLogEntry(const DateTime& date, const LogEntryTexts& texts);

// "h:mm", "hh:mm" or "hh:mm:ss" (blanks around allowed); the time as hour and minute.
std::optional<std::pair<int, int>> parseEntryTime(const std::string& text);

} // namespace tw
