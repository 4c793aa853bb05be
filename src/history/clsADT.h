#pragma once

#include "common/DateTime.h"
#include "history/clsADTYear.h"

#include <string>
#include <vector>

namespace tw {

class ProgressSink;

// The history tree the log viewer works on: years, months, days and sessions of datasource.txt, with totals and
// statistics per node. Lines that do not become sessions (comments, lines that cannot be parsed, negative amounts)
// are kept and written back, after the header, by save.
class clsADT {
public:
    int Count() const { return static_cast<int>(m_years.size()); }
    const std::vector<clsADTYear>& getYears() const { return m_years; }
    const clsADTYear* getYear(int year) const;
    const clsADTMonth* getMonth(int year, int month) const;
    const clsADTDay* getDay(int year, int month, int day) const;

    void insertLog(const clsSessionData& session);
    // Removes the session (see clsADTDay::deleteLog) and every node it leaves empty; recalculates the nodes on its
    // path. False when no node of its day exists.
    bool deleteLog(const clsSessionData& session);
    void updateStats();

    // Reads the file into an empty tree. A missing file is an empty history (true); a file shorter than its three
    // header lines gives false. Progress goes to the sink when there is one.
    bool load(const std::string& path, ProgressSink* progress = nullptr);
    // Rewrites the whole file atomically; false (the old file intact) on failure. A file that had no complete
    // header gets the header of a new file, dated `now`.
    bool save(const std::string& path, const DateTime& now) const;
    bool save(const std::string& path) const;
    // The file's content as save writes it.
    std::string storeText(const DateTime& now) const;

    const std::vector<std::string>& header() const { return m_header; }
    const std::vector<std::string>& keptLines() const { return m_keptLines; }

private:
    void takeLine(std::string_view line);

    std::vector<clsADTYear> m_years;
    std::vector<std::string> m_header;
    std::vector<std::string> m_keptLines;
};

} // namespace tw
