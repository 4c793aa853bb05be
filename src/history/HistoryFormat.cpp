#include "history/HistoryFormat.h"

#include "common/TextFile.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace tw {

namespace {

constexpr std::size_t kBlockSize = std::size_t{1} << 20;

} // namespace

std::vector<std::string> historyHeaderLines(const DateTime& created) {
    return {"'" + created.toDateString() + " " + created.toTimeString(), "'Source file for Tallywave",
            "'Do not change this file unless absolutely sure."};
}

LinesRead forEachFileLine(const std::string& path,
                          const std::function<void(std::string_view line, std::uint64_t end)>& onLine,
                          std::uint64_t from, std::uint64_t* wholeLinesEnd) {
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    if (status.type() == std::filesystem::file_type::not_found) {
        return LinesRead::Missing;
    }
    if (ec) {
        return LinesRead::Unreadable;
    }
    if (status.type() != std::filesystem::file_type::regular) {
        return LinesRead::NotAFile;
    }
    std::ifstream file(std::filesystem::path(path), std::ios::binary);
    if (!file || !file.seekg(static_cast<std::streamoff>(from))) {
        return LinesRead::Unreadable;
    }
    std::vector<char> buf(kBlockSize);
    std::size_t kept = 0;          // bytes of an unfinished line at the start of buf
    std::uint64_t bufStart = from; // offset in the file of buf's first byte
    for (;;) {
        if (kept == buf.size()) {
            buf.resize(buf.size() * 2);
        }
        file.read(buf.data() + kept, static_cast<std::streamsize>(buf.size() - kept));
        if (file.bad()) {
            return LinesRead::Unreadable;
        }
        const auto got = static_cast<std::size_t>(file.gcount());
        const bool atEnd = got == 0;
        const std::string_view block(buf.data(), kept + got);
        const std::size_t used = forEachLine(block, atEnd, [&](std::string_view line) {
            onLine(line, bufStart + static_cast<std::uint64_t>(line.data() + line.size() - block.data()));
        });
        if (atEnd) {
            if (wholeLinesEnd != nullptr) {
                // What is left at the end is a line without its line end, or one ended by a bare CR.
                *wholeLinesEnd = bufStart + (!block.empty() && block.back() == '\r' ? block.size() : 0);
            }
            return LinesRead::Read;
        }
        kept = block.size() - used;
        std::memmove(buf.data(), buf.data() + used, kept);
        bufStart += used;
    }
}

std::optional<std::vector<std::string>> readFileLines(const std::string& path) {
    std::vector<std::string> lines;
    if (forEachFileLine(path, [&lines](std::string_view line, std::uint64_t) { lines.emplace_back(line); }) !=
        LinesRead::Read) {
        return std::nullopt;
    }
    return lines;
}

} // namespace tw
