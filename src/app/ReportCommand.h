#pragma once

#include "common/DateTime.h"

#include <iosfwd>
#include <string>

namespace tw {

// "--report": today's and this month's totals from the history file, as the main window builds them at start-up.
// "This month" is the billing month starting on monthStartDay ("This Period" in the human form when not the 1st).
// Human-readable lines, or with json the single line
// {"today":{"received":N,"sent":N},"month":{"received":N,"sent":N}} in whole bytes.
// Returns the process exit code: 0 on success (a missing history file gives zeros), 1 when the file exists but
// cannot be read (the reason goes to err).
int runReport(const std::string& historyPath, const DateTime& now, bool json, std::ostream& out, std::ostream& err,
              int monthStartDay = 1);

} // namespace tw
