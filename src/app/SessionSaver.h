#pragma once

#include "common/DateTime.h"
#include "history/SessionJournal.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tw {

// Brings finished sessions into the history file so that each one counts exactly once, whatever moment the process
// dies at and however full the disk is:
//   1. the lines go to the journal, marked with the history's size at that moment;
//   2. they are appended to the history as one whole and flushed to the disk (cut back on a short write);
//   3. only then do they leave the journal.
// A start after a crash knows from the mark alone whether step 2 happened: the lines are in the history exactly
// when its bytes at the mark are these lines. A history that refuses the lines leaves them waiting, in memory and
// in the journal, for the next flush or the next start.
class SessionSaver {
public:
    explicit SessionSaver(std::string historyPath);

    // A finished session's history line, written by the next flush.
    void add(std::string line);
    // Appends the waiting lines, if any, and leaves the journal holding only the running session's line (empty
    // when it has nothing to lose). True when no line is left waiting.
    bool flush(const std::string& running, const DateTime& now);
    // Drops the waiting lines the predicate picks (the resets of today and this month).
    void dropWaiting(const std::function<bool(const std::string& line)>& drop);
    const std::vector<std::string>& waiting() const { return m_waiting; }

    // Takes over a journal left behind by a run that did not end cleanly: its sessions that are not in the history
    // yet wait for the next flush (a part of them cut off by a crash in the middle of an append is removed from the
    // history first). False when there was no journal.
    bool adoptJournal();

private:
    bool writeJournal(const std::string& running) const;

    std::string m_historyPath;
    SessionJournal m_journal;
    std::vector<std::string> m_waiting;
    // Set while the history may hold a part of the waiting lines after this offset (an append that failed and could
    // not be cut back).
    std::optional<std::uint64_t> m_appendingAt;
};

// Start-up, before today and this month are read: the sessions of a journal left behind by a run that did not end
// cleanly are added to the history (header dated `now` if the file is new), then the journal is removed. True when
// a session was added. Sessions the history refuses stay in the journal for the next start.
bool recoverSessionJournal(const std::string& historyPath, const DateTime& now);

} // namespace tw
