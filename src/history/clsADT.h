#pragma once

#include "common/DateTime.h"
#include "history/clsADTYear.h"

#include <optional>
#include <string>
#include <vector>

namespace tw {

class ProgressSink;

// The history tree the log viewer works on: years, months, days and sessions of datasource.txt, with totals and
// statistics per node. Lines that do not become sessions (comments, lines that cannot be parsed) are kept and
// written back where they were: after the session line they followed.
class clsADT {
public:
    // What the last load found at the path.
    enum class FileState {
        Missing,    // no file (or no regular file): an empty history
        Read,       // a history
        Unreadable, // a file that could not be read
        TooShort,   // a file with fewer lines than its header: not a history
    };

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
    // header lines, or one that cannot be read, gives false. Progress goes to the sink when there is one.
    bool load(const std::string& path, ProgressSink* progress = nullptr);
    FileState fileState() const { return m_fileState; }
    // Whether save may replace the file: not after a load of a file that could not be read or is not a history
    // (an empty file is a new one).
    bool canBeSaved() const { return m_fileState == FileState::Missing || m_fileState == FileState::Read; }
    // Rewrites the whole file atomically; false (the old file intact) on failure, and always when canBeSaved is
    // false. A file that had no complete header gets the header of a new file, dated `now`.
    bool save(const std::string& path, const DateTime& now) const;
    bool save(const std::string& path) const;
    // The file's content as save writes it.
    std::string storeText(const DateTime& now) const;

    const std::vector<std::string>& header() const { return m_header; }

private:
    // Lines of the file that are not sessions, as they stood together after one session line (`after`, the line
    // save writes for it; empty for lines before every session).
    struct KeptLines {
        std::string after;
        std::vector<std::string> lines;
    };

    void takeLine(std::string_view line);

    std::vector<clsADTYear> m_years;
    std::vector<std::string> m_header;
    std::vector<KeptLines> m_kept;
    std::optional<clsSessionData> m_lastSession; // while loading: the session the next kept line follows
    bool m_lastLineKept = false;
    FileState m_fileState = FileState::Missing;
};

} // namespace tw
