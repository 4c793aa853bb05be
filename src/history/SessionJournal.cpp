#include "history/SessionJournal.h"

#include "common/TextFile.h"
#include "history/HistoryFormat.h"
#include "history/clsSessionData.h"
#include "platform/FileSystem.h"

#include <charconv>
#include <filesystem>
#include <system_error>

namespace tw {

namespace {

constexpr std::string_view kJournalName = "datasource.journal";
constexpr std::string_view kComment =
    "'Sessions of Tallywave not yet in the history file; the next start adds them to it.";
constexpr std::string_view kAppendingAt = "appending-at=";
constexpr std::string_view kPending = "pending=";
constexpr std::string_view kRunning = "running=";

bool isSessionLine(std::string_view line) {
    return clsSessionData::parse(line).has_value();
}

// A running session without traffic has nothing to add.
bool isRunningSessionLine(std::string_view line) {
    const auto session = clsSessionData::parse(line);
    return session && (session->downloaded > 0 || session->uploaded > 0);
}

} // namespace

SessionJournal::SessionJournal(const std::string& historyPath) : m_path(pathFor(historyPath)) {}

std::string SessionJournal::pathFor(const std::string& historyPath) {
    return (std::filesystem::path(historyPath).parent_path() / kJournalName).string();
}

bool SessionJournal::write(const JournalContent& content) const {
    if (content.empty()) {
        remove();
        return !exists();
    }
    std::vector<std::string> lines{std::string(kComment)};
    if (content.appendingAt && !content.pending.empty()) {
        lines.push_back(std::string(kAppendingAt) + std::to_string(*content.appendingAt));
    }
    for (const std::string& line : content.pending) {
        lines.push_back(std::string(kPending) + line);
    }
    if (!content.running.empty()) {
        lines.push_back(std::string(kRunning) + content.running);
    }
    return writeFileAtomically(m_path, joinLines(lines));
}

std::optional<JournalContent> SessionJournal::read() const {
    if (!exists()) {
        return std::nullopt;
    }
    const auto lines = readFileLines(m_path);
    if (!lines) {
        return std::nullopt;
    }
    JournalContent content;
    for (std::string_view line : *lines) {
        if (line.starts_with(kAppendingAt)) {
            line.remove_prefix(kAppendingAt.size());
            std::uint64_t offset = 0;
            const auto [end, ec] = std::from_chars(line.data(), line.data() + line.size(), offset);
            if (ec == std::errc() && end == line.data() + line.size()) {
                content.appendingAt = offset;
            }
        } else if (line.starts_with(kPending)) {
            line.remove_prefix(kPending.size());
            if (isSessionLine(line)) {
                content.pending.emplace_back(line);
            }
        } else if (line.starts_with(kRunning)) {
            line.remove_prefix(kRunning.size());
            if (isRunningSessionLine(line)) {
                content.running = line;
            }
        } else if (isRunningSessionLine(line)) {
            content.running = line; // a journal of an earlier version: one running session line
        }
    }
    return content;
}

void SessionJournal::remove() const {
    std::error_code ec;
    std::filesystem::remove(m_path, ec);
}

bool SessionJournal::exists() const {
    return fileExists(m_path);
}

} // namespace tw
