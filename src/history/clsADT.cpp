#include "history/clsADT.h"

#include "common/ProgressSink.h"
#include "common/TextFile.h"
#include "history/HistoryFile.h"
#include "history/HistoryNodeChildren.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"

#include <algorithm>
#include <cstdio>

namespace tw {

namespace {

constexpr int kHeaderLines = 3;

// The whole file in one read of its known size (a long history is tens of megabytes).
std::optional<std::string> readFileAtOnce(const std::string& path) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (f == nullptr) {
        return std::nullopt;
    }
    std::string data;
    bool ok = std::fseek(f, 0, SEEK_END) == 0;
    const long size = ok ? std::ftell(f) : -1;
    ok = ok && size >= 0 && std::fseek(f, 0, SEEK_SET) == 0;
    if (ok) {
        data.resize(static_cast<std::size_t>(size));
        data.resize(std::fread(data.data(), 1, data.size(), f));
        ok = std::ferror(f) == 0;
    }
    std::fclose(f);
    if (!ok) {
        return std::nullopt;
    }
    return data;
}

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
    void parsed(std::size_t done, std::size_t total) {
        if (m_sink == nullptr || total == 0) {
            return;
        }
        int p = static_cast<int>(60 * static_cast<std::uint64_t>(done) / total);
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
    if (line.empty()) {
        return;
    }
    if (line.front() != '\'') {
        if (auto session = clsSessionData::parse(line); session && session->downloaded >= 0) {
            session->isCurrent = false;
            insertLog(*session);
            return;
        }
    }
    m_keptLines.emplace_back(line);
}

bool clsADT::load(const std::string& path, ProgressSink* progress) {
    LoadProgress report(progress);
    report.label("Opening the history file");
    report.value(0);
    if (!fileExists(path)) {
        report.value(100);
        report.label("Done");
        return true;
    }
    std::optional<std::string> content = readFileAtOnce(path);
    if (!content) {
        report.value(100);
        report.label("Done");
        return false;
    }
    const std::string& text = *content;
    report.value(5);
    report.label("Parsing the history file");

    forEachLine(text, true, [&](std::string_view line) {
        if (m_header.size() < kHeaderLines) {
            m_header.emplace_back(line);
        } else {
            takeLine(line);
        }
        report.parsed(static_cast<std::size_t>(line.data() + line.size() - text.data()), text.size());
    });
    report.value(100);
    report.label("Done");
    return m_header.size() == kHeaderLines;
}

std::string clsADT::storeText(const DateTime& now) const {
    std::string out;
    const std::vector<std::string> header = m_header.size() == kHeaderLines ? m_header : historyHeaderLines(now);
    for (const std::string& line : header) {
        out += line;
        out += kLineEnd;
    }
    for (const std::string& line : m_keptLines) {
        out += line;
        out += kLineEnd;
    }
    for (const clsADTYear& y : m_years) {
        y.save(out);
    }
    return out;
}

bool clsADT::save(const std::string& path, const DateTime& now) const {
    return writeFileAtomically(path, storeText(now));
}

bool clsADT::save(const std::string& path) const {
    DateTime now = m_header.size() == kHeaderLines ? DateTime{} : makeSystemClock()->now();
    return save(path, now);
}

} // namespace tw
