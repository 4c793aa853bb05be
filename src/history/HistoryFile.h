#pragma once

#include "history/ByteTotal.h"
#include "history/HistoryFormat.h"
#include "history/dayObject.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tw {

class Clock;

// The routines that touch datasource.txt outside the log viewer.

// Today and this month as records (amounts rounded once to the double they hold) and as exact sums. "This month" is
// the billing month holding the month record's date: it starts on day monthStartDay (1 for the calendar month).
struct PeriodTotals {
    dayObject today;
    dayObject month;
    ByteTotal todayReceived, todaySent, monthReceived, monthSent;
    int monthStartDay = 1; // the month record holds the billing month (monthPeriodOf) of its date
};

// Today and this month built from the file: new records dated `now`, then every session line after the header
// added by addLineToPeriodTotals. A missing file gives zeros. Unparsable lines are skipped. The totals of the
// file's lines are remembered beside it (PeriodTotalsCache), so that the next load reads only what was added since.
PeriodTotals loadPeriodTotals(const std::string& historyPath, const DateTime& now, int monthStartDay = 1);
// The same, but std::nullopt when the file exists and cannot be read (for callers that must tell the user).
std::optional<PeriodTotals> tryLoadPeriodTotals(const std::string& historyPath, const DateTime& now,
                                                int monthStartDay = 1);

// Adds one line's amounts to today and/or this month when its start falls in their day / billing month.
void addLineToPeriodTotals(std::string_view line, PeriodTotals& totals);

// Appends the session (header lines first when the file is new or empty). Nothing but the header is written when
// the session's raw counters are both 0. The stop date is set on `session` first: 23:59 of its start day when
// endsAtMidnight, else `now`. Starts on a new line when the file's last line has no line end. All or nothing, and on
// the disk before it returns: false on a file error, the file then without any part of the line.
bool appendSession(const std::string& historyPath, dayObject& session, bool endsAtMidnight, const DateTime& now);

// Whether appendSession writes a line for the session: its raw counters (not the net amounts) are above 0.
bool hasSessionTraffic(const dayObject& session);
// Sets the session's stop date as appendSession does and returns its history line (without line end).
std::string stopSessionLine(dayObject& session, bool endsAtMidnight, const DateTime& now);

// Makes the file ready to take whole lines at its end: created with the header lines (dated `now`) when missing or
// empty, given a line end when its last line lacks one. Returns the file's size afterwards, where the next line
// starts; std::nullopt on a file error.
std::optional<std::uint64_t> prepareForAppend(const std::string& historyPath, const DateTime& now);
// Creates the file with its header lines (dated `now`) when it is missing or empty; true when it has them now.
bool writeHeaderIfNew(const std::string& historyPath, const DateTime& now);

// Removes every session line that started today (wholeDay) or in this billing month (starting on monthStartDay),
// keeping header, comments and broken lines; rewritten atomically (and the remembered totals forgotten). False on a
// file error (the file is then untouched).
bool removeCurrentPeriod(const std::string& historyPath, bool wholeDay, const DateTime& now, int monthStartDay = 1);

} // namespace tw
