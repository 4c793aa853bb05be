#include "app/SessionJournal.h"

#include "common/TextFile.h"
#include "history/HistoryFile.h"
#include "history/clsSessionData.h"
#include "platform/FileSystem.h"

#include <filesystem>
#include <optional>
#include <system_error>

namespace tw {

namespace {

constexpr std::string_view kJournalName = "datasource.journal";
constexpr std::size_t kHistoryHeaderLines = 3;
constexpr std::string_view kJournalComment =
    "'Running session of Tallywave, checkpointed while logging; added to the history at the next start.";

std::optional<clsSessionData> readJournal(const std::string& path) {
    const auto lines = readTextLines(path);
    if (!lines)
        return std::nullopt;
    for (const std::string& line : *lines) {
        if (line.empty() || line.front() == '\'')
            continue;
        return clsSessionData::parse(line);
    }
    return std::nullopt;
}

// True when the history already holds the session: written at Stop, exit or midnight just before the process died,
// before it could remove the journal.
bool alreadyInHistory(const std::string& historyPath, const clsSessionData& session) {
    const auto lines = readTextLines(historyPath);
    if (!lines)
        return false;
    for (std::size_t i = kHistoryHeaderLines; i < lines->size(); ++i) {
        const auto stored = clsSessionData::parse((*lines)[i]);
        if (stored && stored->startDate == session.startDate && stored->downloaded >= session.downloaded &&
            stored->uploaded >= session.uploaded)
            return true;
    }
    return false;
}

} // namespace

SessionJournal::SessionJournal(const std::string& historyPath) : m_path(pathFor(historyPath)) {}

std::string SessionJournal::pathFor(const std::string& historyPath) {
    return (std::filesystem::path(historyPath).parent_path() / kJournalName).string();
}

bool SessionJournal::write(const dayObject& session, const DateTime& checkpoint) const {
    if (session.netBytesReceived() <= 0 && session.netBytesSent() <= 0) {
        remove();
        return true;
    }
    dayObject stopped = session;
    stopped.setStopDate(checkpoint);
    return writeFileAtomically(m_path, joinLines({std::string(kJournalComment), stopped.getString()}));
}

void SessionJournal::remove() const {
    std::error_code ec;
    std::filesystem::remove(m_path, ec);
}

bool SessionJournal::exists() const {
    return fileExists(m_path);
}

bool recoverSessionJournal(const std::string& historyPath) {
    const SessionJournal journal(historyPath);
    if (!journal.exists())
        return false;
    const auto session = readJournal(journal.path());
    if (!session || (session->downloaded <= 0 && session->uploaded <= 0)) {
        journal.remove();
        return false;
    }
    if (alreadyInHistory(historyPath, *session)) {
        journal.remove();
        return false;
    }
    dayObject record;
    record.setDate(session->startDate);
    record.setBytesReceived(session->downloaded);
    record.setBytesSent(session->uploaded);
    record.setMaxDownloadRate(session->maxDownloadSpeed);
    record.setMaxUploadRate(session->maxUploadSpeed);
    if (!appendSession(historyPath, record, false, session->stopDate))
        return false;
    journal.remove();
    return true;
}

} // namespace tw
