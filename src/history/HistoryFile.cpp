#include "history/HistoryFile.h"

#include "common/TextFile.h"
#include "history/clsSessionData.h"
#include "platform/FileSystem.h"

#include <cstdio>
#include <filesystem>
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

void addLineToPeriodTotals(std::string_view line, PeriodTotals& totals) {
    const auto fields = clsSessionData::fieldsOf(line);
    if (!fields) {
        return;
    }
    const auto session = clsSessionData::parse(*fields);
    if (!session) {
        return;
    }
    // Sums stay exact beyond the 2^53 where doubles stop counting single bytes.
    auto add = [&](dayObject& record, ByteTotal& received, ByteTotal& sent) {
        received.add(session->downloaded, (*fields)[2]);
        sent.add(session->uploaded, (*fields)[3]);
        record.setBytesReceived(received.toDouble());
        record.setBytesSent(sent.toDouble());
    };
    if (session->startDate.sameDay(totals.today.getDate())) {
        add(totals.today, totals.todayReceived, totals.todaySent);
    }
    if (monthPeriodOf(totals.month.getDate(), totals.monthStartDay).contains(session->startDate)) {
        add(totals.month, totals.monthReceived, totals.monthSent);
    }
}

std::optional<PeriodTotals> tryLoadPeriodTotals(const std::string& historyPath, const DateTime& now,
                                                int monthStartDay) {
    PeriodTotals totals;
    totals.today.setDate(now);
    totals.month.setDate(now);
    totals.monthStartDay = monthStartDay;
    std::size_t lineNumber = 0;
    const LinesRead read = forEachFileLine(historyPath, [&](std::string_view line, std::uint64_t) {
        if (++lineNumber > kHistoryHeaderLineCount) {
            addLineToPeriodTotals(line, totals);
        }
    });
    if (read != LinesRead::Read && read != LinesRead::Missing) {
        return std::nullopt;
    }
    return totals;
}

PeriodTotals loadPeriodTotals(const std::string& historyPath, const DateTime& now, int monthStartDay) {
    if (auto totals = tryLoadPeriodTotals(historyPath, now, monthStartDay)) {
        return *totals;
    }
    PeriodTotals zeros;
    zeros.today.setDate(now);
    zeros.month.setDate(now);
    zeros.monthStartDay = monthStartDay;
    return zeros;
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
    return writeFileAtomically(historyPath, joinLines(kept));
}

} // namespace tw
