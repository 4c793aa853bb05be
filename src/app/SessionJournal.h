#pragma once

#include "common/DateTime.h"
#include "history/dayObject.h"

#include <string>

namespace tw {

// The running session's history line kept beside the history file while logging, so that a crash, a power cut or
// a killed process loses at most the time since the last checkpoint. Every normal end of a session removes it;
// one left behind is appended to the history at the next start.
class SessionJournal {
public:
    explicit SessionJournal(const std::string& historyPath);

    // "datasource.journal" in the history file's folder.
    static std::string pathFor(const std::string& historyPath);

    // Replaces the journal with the session's net amounts, stopped at `checkpoint`. A session without net traffic
    // has nothing to lose: the journal is removed instead.
    bool write(const dayObject& session, const DateTime& checkpoint) const;
    void remove() const;
    bool exists() const;
    const std::string& path() const { return m_path; }

private:
    std::string m_path;
};

// Start-up, before today and this month are read: a journal left behind by a run that did not end cleanly is
// appended to the history as the session it describes, then removed. True when a session was added. A journal
// that cannot be appended (file error) stays for the next start.
bool recoverSessionJournal(const std::string& historyPath);

} // namespace tw
