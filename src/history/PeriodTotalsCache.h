#pragma once

#include "common/DateTime.h"
#include "platform/FileSystem.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tw {

// "datasource.totals" beside the history file: today's and this month's totals as of a length of the history, so
// that a start reads only the lines added after it. Only ever a shortcut: whatever does not match exactly (another
// file, a shorter one, changed bytes before that length, a damaged cache) sends the reader through the whole file.
struct PeriodTotalsCache {
    FileIdentity file;          // the history when it was read
    std::uint64_t length = 0;   // bytes of the whole lines read (the header included)
    std::uint64_t tailHash = 0; // of the kTailBytes bytes before `length`
    DateTime latestStart;       // the latest start of a session in those lines; the zero date when there is none
    DateTime day;               // the day of the today sums
    DateTime monthStart;        // the start of the month period of the month sums
    std::string todayReceived, todaySent, monthReceived, monthSent; // exact, plain digits

    // How many bytes before `length` must be as they were: an edit near the end shows there.
    static constexpr std::uint64_t kTailBytes = 512;
    static std::uint64_t hashOf(std::string_view bytes);

    friend bool operator==(const PeriodTotalsCache&, const PeriodTotalsCache&) = default;
};

std::string periodTotalsCachePath(const std::string& historyPath);

// std::nullopt when there is none or it is not whole and well-formed.
std::optional<PeriodTotalsCache> readPeriodTotalsCache(const std::string& historyPath);
// Replaced atomically; false when it could not be written (nothing else depends on it).
bool writePeriodTotalsCache(const std::string& historyPath, const PeriodTotalsCache& cache);
// After a rewrite of the history: the next read goes through the whole file.
void forgetPeriodTotalsCache(const std::string& historyPath);

} // namespace tw
