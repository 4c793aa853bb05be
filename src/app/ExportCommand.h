#pragma once

#include "common/DateTime.h"
#include "history/HistoryExport.h"

#include <iosfwd>
#include <optional>
#include <string>

namespace tw {

// "--export csv|json [--from YYYY-MM-DD] [--to YYYY-MM-DD]": the logged sessions of the history file that started on
// those days (all without them), oldest first, as the log viewer's Export writes them. Returns the process exit
// code: 0 on success (a missing history file gives no sessions), 1 when the file cannot be read or is not a history
// (the reason goes to err) or the output cannot be written.
int runExport(const std::string& historyPath, ExportFormat format, const std::optional<DateTime>& from,
              const std::optional<DateTime>& to, std::ostream& out, std::ostream& err);

} // namespace tw
