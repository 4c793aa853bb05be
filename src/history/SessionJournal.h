#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tw {

// What the journal holds: every session line that has not reached the history file yet.
struct JournalContent {
    // Finished sessions (a day's share at midnight, a session saved at Stop or exit) the history has not taken yet,
    // in order.
    std::vector<std::string> pending;
    // Set while `pending` is being appended: the history's size just before. The lines are in the history exactly
    // when these bytes follow that offset.
    std::optional<std::uint64_t> appendingAt;
    // The running session as of the last checkpoint; empty when it has nothing to lose.
    std::string running;

    bool empty() const { return pending.empty() && running.empty(); }
    friend bool operator==(const JournalContent&, const JournalContent&) = default;
};

// "datasource.journal" beside the history file: the sessions a crash, a power cut or a killed process would
// otherwise lose. Written whole and atomically; the next start adds what it holds to the history.
class SessionJournal {
public:
    explicit SessionJournal(const std::string& historyPath);

    static std::string pathFor(const std::string& historyPath);

    // Replaces the journal; an empty content removes it. False when it could not be written (the old one stays).
    bool write(const JournalContent& content) const;
    // std::nullopt when there is none or it cannot be read. Lines that are not session lines are left out.
    std::optional<JournalContent> read() const;
    void remove() const;
    bool exists() const;
    const std::string& path() const { return m_path; }

private:
    std::string m_path;
};

} // namespace tw
