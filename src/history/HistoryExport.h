#pragma once

#include "common/DateTime.h"
#include "history/clsADT.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tw {

enum class ExportFormat { Csv, Json };

// "csv" or "json".
std::optional<ExportFormat> exportFormatFromText(std::string_view text);
std::string_view exportFileSuffix(ExportFormat format); // "csv", "json"

// The sessions of one node of the history tree: a year (month and day 0), a month (day 0) or a day; every session
// with year 0. Oldest first (by start; sessions of one minute in the order the tree holds them).
std::vector<const clsSessionData*> sessionsOfPeriod(const clsADT& history, int year = 0, int month = 0, int day = 0);

// The sessions that started on the days from `from` to `to` (both included; either may be open). Oldest first.
std::vector<const clsSessionData*> sessionsBetween(const clsADT& history, const std::optional<DateTime>& from,
                                                   const std::optional<DateTime>& to);

// The sessions as a file for other programs. Dates in ISO 8601 ("2004-05-06T09:30"), amounts in whole bytes, speeds
// in bytes per second; the running session (isCurrent) has no stop.
// CSV (RFC 4180, CR LF): the header row "start,stop,received,sent,max download,max upload", one row a session.
// JSON: {"sessions":[{"start":"...","stop":"..." or null,"received":N,"sent":N,"maxDownload":N,"maxUpload":N},...],
//        "total":{"received":N,"sent":N}}, one session a line; the totals are exact sums.
std::string exportSessions(const std::vector<const clsSessionData*>& sessions, ExportFormat format);

} // namespace tw
