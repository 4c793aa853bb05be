#include "app/SessionSaver.h"

#include "common/TextFile.h"
#include "history/HistoryFile.h"
#include "platform/FileSystem.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace tw {

namespace {

std::optional<std::uint64_t> sizeOf(const std::string& path) {
    std::error_code ec;
    const auto size = std::filesystem::file_size(path, ec);
    if (ec) {
        return std::nullopt;
    }
    return static_cast<std::uint64_t>(size);
}

std::optional<std::string> bytesAt(const std::string& path, std::uint64_t offset, std::size_t count) {
    std::ifstream in(path, std::ios::binary);
    std::string bytes(count, '\0');
    if (!in.seekg(static_cast<std::streamoff>(offset)) || !in.read(bytes.data(), static_cast<std::streamsize>(count))) {
        return std::nullopt;
    }
    return bytes;
}

enum class Appended { Whole, Beginning, No };

// What of `block` follows `offset` in the history: all of it, only its beginning up to the end of the file (a crash
// in the middle of the append), or not it.
Appended appendedAt(const std::string& historyPath, std::uint64_t offset, const std::string& block) {
    const auto size = sizeOf(historyPath);
    if (!size || *size <= offset) {
        return Appended::No;
    }
    const std::uint64_t after = *size - offset;
    const auto bytes =
        bytesAt(historyPath, offset, static_cast<std::size_t>(std::min<std::uint64_t>(after, block.size())));
    if (!bytes) {
        return Appended::No;
    }
    if (after >= block.size()) {
        return *bytes == block ? Appended::Whole : Appended::No;
    }
    return block.starts_with(*bytes) ? Appended::Beginning : Appended::No;
}

} // namespace

SessionSaver::SessionSaver(std::string historyPath) : m_historyPath(std::move(historyPath)), m_journal(m_historyPath) {}

void SessionSaver::add(std::string line) {
    m_waiting.push_back(std::move(line));
}

bool SessionSaver::writeJournal(const std::string& running) const {
    return m_journal.write({m_waiting, m_appendingAt, running});
}

bool SessionSaver::flush(const std::string& running, const DateTime& now) {
    if (m_waiting.empty()) {
        // When this fails the journal keeps an earlier checkpoint of the running session: less, never twice.
        writeJournal(running);
        return true;
    }
    const auto size = prepareForAppend(m_historyPath, now);
    if (!size) {
        writeJournal(running);
        return false;
    }
    const auto before = m_appendingAt;
    m_appendingAt = *size;
    // An earlier journal without the mark would have a restart count these sessions again after the append. Without
    // any journal there is nothing to count twice.
    if (!writeJournal(running) && m_journal.exists()) {
        m_appendingAt = before;
        return false;
    }
    if (!appendToFile(m_historyPath, joinLines(m_waiting))) {
        if (sizeOf(m_historyPath) == size) {
            m_appendingAt.reset(); // cut back: none of the lines is in the history
        }
        return false;
    }
    m_waiting.clear();
    m_appendingAt.reset();
    // The marked journal must not outlive a later rewrite of the history.
    if (!writeJournal(running)) {
        m_journal.remove();
    }
    return true;
}

void SessionSaver::dropWaiting(const std::function<bool(const std::string&)>& drop) {
    std::erase_if(m_waiting, drop);
    // The history is rewritten next: an offset in it would mean nothing any more.
    m_appendingAt.reset();
}

bool SessionSaver::adoptJournal() {
    const auto content = m_journal.read();
    if (!content) {
        return false;
    }
    std::vector<std::string> lines;
    if (!content->pending.empty()) {
        bool inHistory = false;
        if (content->appendingAt) {
            switch (appendedAt(m_historyPath, *content->appendingAt, joinLines(content->pending))) {
            case Appended::Whole:
                inHistory = true;
                break;
            case Appended::Beginning: {
                std::error_code ec;
                std::filesystem::resize_file(m_historyPath, *content->appendingAt, ec);
                break;
            }
            case Appended::No:
                break;
            }
        }
        if (!inHistory) {
            lines = content->pending;
        }
    }
    if (!content->running.empty()) {
        lines.push_back(content->running);
    }
    m_waiting.insert(m_waiting.begin(), lines.begin(), lines.end());
    return true;
}

bool recoverSessionJournal(const std::string& historyPath, const DateTime& now) {
    SessionSaver saver(historyPath);
    if (!saver.adoptJournal()) {
        return false;
    }
    const bool any = !saver.waiting().empty();
    return saver.flush("", now) && any;
}

} // namespace tw
