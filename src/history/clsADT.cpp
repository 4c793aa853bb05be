#include "history/clsADT.h"

#include "common/ProgressSink.h"
#include "common/TextFile.h"
#include "history/HistoryFormat.h"
#include "history/HistoryNodeChildren.h"
#include "history/PeriodTotalsCache.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"

#include <algorithm>
#include <deque>
#include <filesystem>
#include <unordered_map>

namespace tw {

namespace {

// Progress of a load: 0 while opening, 5..65 while parsing (by the share of the file read), 100 when done.
class LoadProgress {
public:
    explicit LoadProgress(ProgressSink* sink) : m_sink(sink) {}

    void label(std::string_view text) const {
        if (m_sink != nullptr) {
            m_sink->setLabel(text);
        }
    }
    void value(int percent) const {
        if (m_sink != nullptr) {
            m_sink->setProgress(std::clamp(percent, 0, 100));
        }
    }
    // At most one report per whole percent.
    void parsed(std::uint64_t done, std::uint64_t total) {
        if (m_sink == nullptr || total == 0) {
            return;
        }
        int p = static_cast<int>(60 * done / total);
        if (p > m_last) {
            m_last = p;
            value(p + 5);
        }
    }

private:
    ProgressSink* m_sink;
    int m_last = 0;
};

} // namespace

const clsADTYear* clsADT::getYear(int year) const {
    return historynodes::findChild(m_years, year);
}

const clsADTMonth* clsADT::getMonth(int year, int month) const {
    const clsADTYear* y = getYear(year);
    return y != nullptr ? y->findMonth(month) : nullptr;
}

const clsADTDay* clsADT::getDay(int year, int month, int day) const {
    const clsADTMonth* m = getMonth(year, month);
    return m != nullptr ? m->findDay(day) : nullptr;
}

void clsADT::insertLog(const clsSessionData& session) {
    historynodes::insertIntoChild(m_years, session.startDate.year, session);
}

bool clsADT::deleteLog(const clsSessionData& session) {
    return historynodes::deleteFromChild(m_years, session.startDate.year, session);
}

void clsADT::updateStats() {
    for (clsADTYear& y : m_years) {
        y.recalcValues(true);
    }
}

void clsADT::takeLine(std::string_view line) {
    if (auto session = clsSessionData::parse(line)) {
        session->isCurrent = false;
        insertLog(*session);
        m_lastSession = *session;
        m_lastLineKept = false;
        return;
    }
    if (!m_lastLineKept) {
        // The line save will write for the session before, made only here: most histories keep no line at all.
        m_kept.push_back({m_lastSession ? m_lastSession->getStoreString() : std::string(), {}});
        m_lastLineKept = true;
    }
    m_kept.back().lines.emplace_back(line);
}

bool clsADT::load(const std::string& path, ProgressSink* progress) {
    LoadProgress report(progress);
    report.label("Opening the history file");
    report.value(0);
    auto done = [&report](bool result) {
        report.value(100);
        report.label("Done");
        return result;
    };
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    if (status.type() == std::filesystem::file_type::not_found ||
        (!ec && status.type() != std::filesystem::file_type::regular)) {
        m_fileState = FileState::Missing;
        return done(true);
    }
    const std::uint64_t total = ec ? 0 : std::filesystem::file_size(path, ec);
    if (ec) {
        m_fileState = FileState::Unreadable;
        return done(false);
    }
    report.value(5);
    report.label("Parsing the history file");
    const LinesRead read = forEachFileLine(path, [&](std::string_view line, std::uint64_t end) {
        if (m_header.size() < kHistoryHeaderLineCount) {
            m_header.emplace_back(line);
        } else {
            takeLine(line);
        }
        report.parsed(end, total);
    });
    if (read != LinesRead::Read) {
        *this = clsADT{}; // nothing of a file read halfway
        m_fileState = FileState::Unreadable;
        return done(false);
    }
    const bool complete = m_header.size() == kHistoryHeaderLineCount;
    m_fileState = complete || m_header.empty() ? FileState::Read : FileState::TooShort;
    return done(complete);
}

std::string clsADT::storeText(const DateTime& now) const {
    std::string out;
    auto write = [&out](std::string_view line) {
        out += line;
        out += kLineEnd;
    };
    for (const std::string& line : m_header.size() == kHistoryHeaderLineCount ? m_header : historyHeaderLines(now)) {
        write(line);
    }
    // Kept lines go back after the session line they followed; those whose session is gone go at the end.
    std::vector<bool> placed(m_kept.size(), false);
    std::unordered_map<std::string, std::deque<std::size_t>> keptAfter;
    auto place = [&](std::size_t group) {
        for (const std::string& line : m_kept[group].lines) {
            write(line);
        }
        placed[group] = true;
    };
    for (std::size_t i = 0; i < m_kept.size(); ++i) {
        if (m_kept[i].after.empty()) {
            place(i);
        } else {
            keptAfter[m_kept[i].after].push_back(i);
        }
    }
    for (const clsADTYear& y : m_years) {
        for (const clsADTMonth& m : y.getMonths()) {
            for (const clsADTDay& d : m.getDays()) {
                for (const clsSessionData& s : d.getSessions()) {
                    if (s.isCurrent) {
                        continue;
                    }
                    const std::string line = s.getStoreString();
                    write(line);
                    if (keptAfter.empty()) {
                        continue;
                    }
                    if (auto it = keptAfter.find(line); it != keptAfter.end() && !it->second.empty()) {
                        place(it->second.front());
                        it->second.pop_front();
                    }
                }
            }
        }
    }
    for (std::size_t i = 0; i < m_kept.size(); ++i) {
        if (!placed[i]) {
            place(i);
        }
    }
    return out;
}

bool clsADT::save(const std::string& path, const DateTime& now) const {
    if (!canBeSaved() || !writeFileAtomically(path, storeText(now))) {
        return false;
    }
    forgetPeriodTotalsCache(path);
    return true;
}

bool clsADT::save(const std::string& path) const {
    DateTime now = m_header.size() == kHistoryHeaderLineCount ? DateTime{} : makeSystemClock()->now();
    return save(path, now);
}

} // namespace tw
