#include "history/HistoryFile.h"

#include "common/TextFile.h"
#include "history/PeriodTotalsCache.h"
#include "history/clsSessionData.h"
#include "platform/FileSystem.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>

namespace tw {

namespace {

constexpr int kHeaderLines = 3;

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

// Calls onLine(line, whole) for every line from the stream's position on, without its line end, reading in large
// blocks so that a history of many megabytes is never held whole nor copied line by line. `whole` is false only for
// a last line without a line end. Returns the bytes of the whole lines; std::nullopt on a read error.
template <typename OnLine> std::optional<std::uint64_t> forEachStreamLine(std::istream& in, OnLine&& onLine) {
    std::vector<char> buf(std::size_t{1} << 20);
    std::size_t kept = 0; // bytes of an unfinished line at the start of buf
    std::uint64_t wholeBytes = 0;
    for (;;) {
        if (kept == buf.size()) {
            buf.resize(buf.size() * 2);
        }
        in.read(buf.data() + kept, static_cast<std::streamsize>(buf.size() - kept));
        const auto got = static_cast<std::size_t>(in.gcount());
        if (in.bad()) {
            return std::nullopt;
        }
        if (got == 0) {
            const std::string_view rest(buf.data(), kept);
            // The splitter keeps a last CR for the next block, in case an LF follows: at the end it ends its line.
            const bool whole = !rest.empty() && rest.back() == '\r';
            forEachLine(rest, true, [&](std::string_view line) { onLine(line, whole); });
            return wholeBytes + (whole ? kept : 0);
        }
        const std::string_view block(buf.data(), kept + got);
        const std::size_t used = forEachLine(block, false, [&](std::string_view line) { onLine(line, true); });
        wholeBytes += used;
        kept = block.size() - used;
        std::memmove(buf.data(), buf.data() + used, kept);
    }
}

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

std::vector<std::string> historyHeaderLines(const DateTime& created) {
    return {"'" + created.toDateString() + " " + created.toTimeString(), "'Source file for Tallywave",
            "'Do not change this file unless absolutely sure."};
}

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
    if (monthPeriodStart(session.startDate, totals.monthStartDay) ==
        monthPeriodStart(totals.month.getDate(), totals.monthStartDay)) {
        add(totals.month, totals.monthReceived, totals.monthSent);
    }
}

// The totals of the history's lines read so far.
struct TotalsScan {
    explicit TotalsScan(PeriodTotals empty) : totals(std::move(empty)) {}

    PeriodTotals totals;
    int wholeLines = 0; // the three header lines included
    DateTime latestStart;

    void add(std::string_view line) {
        if (++wholeLines <= kHeaderLines) {
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

// Takes over the cache's sums when the history still begins with the bytes they were read from, and leaves the
// stream at the first byte after them. False when the whole file must be read.
bool resumeFromCache(const PeriodTotalsCache& cache, const FileIdentity& file, std::istream& in, TotalsScan& scan) {
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
    const std::uint64_t from = cache.length - std::min(cache.length, PeriodTotalsCache::kTailBytes);
    std::string tail(static_cast<std::size_t>(cache.length - from), '\0');
    in.seekg(static_cast<std::streamoff>(from));
    in.read(tail.data(), static_cast<std::streamsize>(tail.size()));
    if (!in || PeriodTotalsCache::hashOf(tail) != cache.tailHash) {
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
    scan.wholeLines = kHeaderLines; // a cache is only kept for a file past its header
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
    std::error_code ec;
    if (!std::filesystem::exists(historyPath, ec)) {
        return scan.totals;
    }
    // Taken before the file is opened: a file replaced meanwhile then never matches the cache written below.
    const std::optional<FileIdentity> file = fileIdentity(historyPath);
    std::ifstream in(std::filesystem::path(historyPath), std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    const std::optional<PeriodTotalsCache> cache = file ? readPeriodTotalsCache(historyPath) : std::nullopt;
    std::uint64_t start = 0;
    if (cache && resumeFromCache(*cache, *file, in, scan)) {
        start = cache->length;
    } else {
        scan = TotalsScan{emptyTotals(now, monthStartDay)};
        in.clear();
        in.seekg(0);
    }
    // What the cache will hold: the whole lines only, as a last line without its line end may still grow.
    std::optional<TotalsScan> wholeLinesScan;
    std::string tail; // the last bytes of the whole lines, for the cache's check
    const auto wholeBytes = forEachStreamLine(in, [&](std::string_view line, bool whole) {
        if (!whole) {
            wholeLinesScan = scan;
        }
        scan.add(line);
    });
    if (!wholeBytes) {
        return std::nullopt;
    }
    const std::uint64_t length = start + *wholeBytes;
    const TotalsScan& cached = wholeLinesScan ? *wholeLinesScan : scan;
    if (file && cached.wholeLines >= kHeaderLines) {
        const std::uint64_t from = length - std::min(length, PeriodTotalsCache::kTailBytes);
        tail.resize(static_cast<std::size_t>(length - from));
        in.clear();
        in.seekg(static_cast<std::streamoff>(from));
        in.read(tail.data(), static_cast<std::streamsize>(tail.size()));
        if (in) {
            const PeriodTotalsCache fresh = cacheOf(cached, *file, length, tail);
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

bool removeCurrentPeriod(const std::string& historyPath, bool wholeDay, const DateTime& now) {
    if (!fileExists(historyPath)) {
        return true;
    }
    auto lines = readTextLines(historyPath);
    if (!lines) {
        return false;
    }
    std::vector<std::string> kept;
    kept.reserve(lines->size());
    for (std::size_t i = 0; i < lines->size(); ++i) {
        std::string& line = (*lines)[i];
        if (i >= kHeaderLines) {
            // Comments and lines that cannot be read are kept as they are.
            const auto session = clsSessionData::parse(line);
            if (session && (wholeDay ? session->startDate.sameDay(now) : session->startDate.sameMonth(now))) {
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
