#include "history/HistoryFile.h"

#include "common/TextFile.h"
#include "history/PeriodTotalsCache.h"
#include "history/clsSessionData.h"
#include "platform/FileSystem.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>

namespace tw {

namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

// Size of the file and whether its last byte ends a line; nullopt when it cannot be read.
struct FileTail {
    long size = 0;
    bool endsWithLineBreak = true;
};

std::optional<FileTail> readTail(const std::string& path) {
    FilePtr f(std::fopen(path.c_str(), "rb"));
    if (!f || std::fseek(f.get(), 0, SEEK_END) != 0) {
        return std::nullopt;
    }
    FileTail tail;
    tail.size = std::ftell(f.get());
    if (tail.size < 0) {
        return std::nullopt;
    }
    if (tail.size > 0) {
        if (std::fseek(f.get(), -1, SEEK_END) != 0) {
            return std::nullopt;
        }
        const int last = std::fgetc(f.get());
        if (last == EOF) {
            return std::nullopt;
        }
        tail.endsWithLineBreak = last == '\n' || last == '\r';
    }
    return tail;
}

} // namespace

namespace {

PeriodTotals emptyTotals(const DateTime& now, int monthStartDay) {
    PeriodTotals totals;
    totals.today.setDate(now);
    totals.month.setDate(now);
    totals.monthStartDay = monthStartDay;
    return totals;
}

// Sums stay exact beyond the 2^53 where doubles stop counting single bytes.
void addSession(const clsSessionData::Fields& fields, const clsSessionData& session, PeriodTotals& totals) {
    auto add = [&](dayObject& record, ByteTotal& received, ByteTotal& sent) {
        received.add(session.downloaded, fields[2]);
        sent.add(session.uploaded, fields[3]);
        record.setBytesReceived(received.toDouble());
        record.setBytesSent(sent.toDouble());
    };
    if (session.startDate.sameDay(totals.today.getDate())) {
        add(totals.today, totals.todayReceived, totals.todaySent);
    }
    if (monthPeriodOf(totals.month.getDate(), totals.monthStartDay).contains(session.startDate)) {
        add(totals.month, totals.monthReceived, totals.monthSent);
    }
}

// The totals of the history's lines read so far.
struct TotalsScan {
    explicit TotalsScan(PeriodTotals empty) : totals(std::move(empty)) {}

    PeriodTotals totals;
    std::size_t wholeLines = 0; // the header lines included
    DateTime latestStart;

    void add(std::string_view line) {
        if (++wholeLines <= kHistoryHeaderLineCount) {
            return;
        }
        const auto fields = clsSessionData::fieldsOf(line);
        if (!fields) {
            return;
        }
        if (const auto session = clsSessionData::parse(*fields)) {
            addSession(*fields, *session, totals);
            latestStart = std::max(latestStart, session->startDate);
        }
    }
};

ByteTotal exactTotal(const std::string& digits) {
    ByteTotal total;
    total.add(0, digits);
    return total;
}

// The cache's check bytes: the kTailBytes bytes of the file before `length`; std::nullopt when unreadable.
std::optional<std::string> tailBefore(const std::string& path, std::uint64_t length) {
    const std::uint64_t from = length - std::min(length, PeriodTotalsCache::kTailBytes);
    std::string tail(static_cast<std::size_t>(length - from), '\0');
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    in.seekg(static_cast<std::streamoff>(from));
    in.read(tail.data(), static_cast<std::streamsize>(tail.size()));
    if (!in) {
        return std::nullopt;
    }
    return tail;
}

// Takes over the cache's sums when the history still begins with the bytes they were read from. False when the
// whole file must be read.
bool resumeFromCache(const PeriodTotalsCache& cache, const FileIdentity& file, const std::string& path,
                     TotalsScan& scan) {
    if (cache.file.device != file.device || cache.file.file != file.file || file.size < cache.length ||
        (file.size == cache.length && file.modified != cache.file.modified)) {
        return false;
    }
    PeriodTotals& totals = scan.totals;
    const DateTime now = totals.today.getDate();
    const DateTime monthStart = monthPeriodStart(now, totals.monthStartDay);
    // Sums of another day or month period stand for nothing, unless every session read began before the new one.
    const bool sameDay = cache.day.sameDay(now);
    const bool sameMonth = cache.monthStart == monthStart;
    if ((!sameDay && cache.latestStart >= now.startOfDay()) || (!sameMonth && cache.latestStart >= monthStart)) {
        return false;
    }
    const std::optional<std::string> tail = tailBefore(path, cache.length);
    if (!tail || PeriodTotalsCache::hashOf(*tail) != cache.tailHash) {
        return false;
    }
    if (sameDay) {
        totals.todayReceived = exactTotal(cache.todayReceived);
        totals.todaySent = exactTotal(cache.todaySent);
        totals.today.setBytesReceived(totals.todayReceived.toDouble());
        totals.today.setBytesSent(totals.todaySent.toDouble());
    }
    if (sameMonth) {
        totals.monthReceived = exactTotal(cache.monthReceived);
        totals.monthSent = exactTotal(cache.monthSent);
        totals.month.setBytesReceived(totals.monthReceived.toDouble());
        totals.month.setBytesSent(totals.monthSent.toDouble());
    }
    scan.wholeLines = kHistoryHeaderLineCount; // a cache is only kept for a file past its header
    scan.latestStart = cache.latestStart;
    return true;
}

PeriodTotalsCache cacheOf(const TotalsScan& scan, const FileIdentity& file, std::uint64_t length,
                          std::string_view tail) {
    PeriodTotalsCache cache;
    cache.file = file;
    cache.length = length;
    cache.tailHash = PeriodTotalsCache::hashOf(tail);
    cache.latestStart = scan.latestStart;
    cache.day = scan.totals.today.getDate().startOfDay();
    cache.monthStart = monthPeriodStart(scan.totals.month.getDate(), scan.totals.monthStartDay);
    cache.todayReceived = scan.totals.todayReceived.toString();
    cache.todaySent = scan.totals.todaySent.toString();
    cache.monthReceived = scan.totals.monthReceived.toString();
    cache.monthSent = scan.totals.monthSent.toString();
    return cache;
}

} // namespace

void addLineToPeriodTotals(std::string_view line, PeriodTotals& totals) {
    const auto fields = clsSessionData::fieldsOf(line);
    if (!fields) {
        return;
    }
    if (const auto session = clsSessionData::parse(*fields)) {
        addSession(*fields, *session, totals);
    }
}

std::optional<PeriodTotals> tryLoadPeriodTotals(const std::string& historyPath, const DateTime& now,
                                                int monthStartDay) {
    TotalsScan scan{emptyTotals(now, monthStartDay)};
    // Taken before the file is read: a file replaced meanwhile then never matches the cache written below.
    const std::optional<FileIdentity> file = fileIdentity(historyPath);
    const std::optional<PeriodTotalsCache> cache = file ? readPeriodTotalsCache(historyPath) : std::nullopt;
    std::uint64_t from = 0;
    if (cache && resumeFromCache(*cache, *file, historyPath, scan)) {
        from = cache->length;
    } else {
        scan = TotalsScan{emptyTotals(now, monthStartDay)};
    }
    std::uint64_t lastEnd = from;
    std::uint64_t wholeLinesEnd = from;
    const LinesRead read = forEachFileLine(
        historyPath,
        [&](std::string_view line, std::uint64_t end) {
            lastEnd = end;
            scan.add(line);
        },
        from, &wholeLinesEnd);
    if (read == LinesRead::Missing) {
        return scan.totals;
    }
    if (read != LinesRead::Read) {
        return std::nullopt;
    }
    // Remembered for the next start: whole lines only, as a last line without its line end may still grow (such a
    // file is read whole until the program's next append ends that line).
    const bool endsInAPartLine = lastEnd > wholeLinesEnd;
    if (file && !endsInAPartLine && scan.wholeLines >= kHistoryHeaderLineCount) {
        if (const std::optional<std::string> tail = tailBefore(historyPath, wholeLinesEnd)) {
            const PeriodTotalsCache fresh = cacheOf(scan, *file, wholeLinesEnd, *tail);
            if (!cache || !(*cache == fresh)) {
                writePeriodTotalsCache(historyPath, fresh);
            }
        }
    }
    return scan.totals;
}

PeriodTotals loadPeriodTotals(const std::string& historyPath, const DateTime& now, int monthStartDay) {
    if (auto totals = tryLoadPeriodTotals(historyPath, now, monthStartDay)) {
        return *totals;
    }
    return emptyTotals(now, monthStartDay);
}

std::optional<std::uint64_t> prepareForAppend(const std::string& historyPath, const DateTime& now) {
    std::string text;
    std::uint64_t size = 0;
    if (fileExists(historyPath)) {
        const auto tail = readTail(historyPath);
        if (!tail) {
            return std::nullopt;
        }
        size = static_cast<std::uint64_t>(tail->size);
        if (size == 0) {
            text = joinLines(historyHeaderLines(now));
        } else if (!tail->endsWithLineBreak) {
            text = kLineEnd;
        }
    } else {
        text = joinLines(historyHeaderLines(now));
    }
    if (!text.empty() && !appendToFile(historyPath, text)) {
        return std::nullopt;
    }
    return size + text.size();
}

bool writeHeaderIfNew(const std::string& historyPath, const DateTime& now) {
    std::error_code ec;
    if (fileExists(historyPath) && std::filesystem::file_size(historyPath, ec) > 0) {
        return true;
    }
    return appendToFile(historyPath, joinLines(historyHeaderLines(now)));
}

bool hasSessionTraffic(const dayObject& session) {
    return session.getBytesReceived() > 0 || session.getBytesSent() > 0;
}

std::string stopSessionLine(dayObject& session, bool endsAtMidnight, const DateTime& now) {
    const DateTime start = session.getDate();
    session.setStopDate(endsAtMidnight ? DateTime::fromCivil(start.year, start.month, start.day, 23, 59) : now);
    return session.getString();
}

bool appendSession(const std::string& historyPath, dayObject& session, bool endsAtMidnight, const DateTime& now) {
    if (!hasSessionTraffic(session)) {
        return writeHeaderIfNew(historyPath, now);
    }
    const std::string line = stopSessionLine(session, endsAtMidnight, now) + std::string(kLineEnd);
    return prepareForAppend(historyPath, now) && appendToFile(historyPath, line);
}

bool removeCurrentPeriod(const std::string& historyPath, bool wholeDay, const DateTime& now, int monthStartDay) {
    if (!fileExists(historyPath)) {
        return true;
    }
    const MonthPeriod month = monthPeriodOf(now, monthStartDay);
    auto lines = readFileLines(historyPath);
    if (!lines) {
        return false;
    }
    std::vector<std::string> kept;
    kept.reserve(lines->size());
    for (std::size_t i = 0; i < lines->size(); ++i) {
        std::string& line = (*lines)[i];
        if (i >= kHistoryHeaderLineCount) {
            // Comments and lines that cannot be read are kept as they are.
            const auto session = clsSessionData::parse(line);
            if (session && (wholeDay ? session->startDate.sameDay(now) : month.contains(session->startDate))) {
                continue;
            }
        }
        kept.push_back(std::move(line));
    }
    if (kept.size() == lines->size()) {
        return true;
    }
    if (!writeFileAtomically(historyPath, joinLines(kept))) {
        return false;
    }
    forgetPeriodTotalsCache(historyPath);
    return true;
}

} // namespace tw
