#include "history/HistoryFormat.h"

#include "common/TextFile.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <system_error>

namespace tw {

namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

constexpr std::size_t kBlockSize = std::size_t{1} << 20;

} // namespace

std::vector<std::string> historyHeaderLines(const DateTime& created) {
    return {"'" + created.toDateString() + " " + created.toTimeString(), "'Source file for Tallywave",
            "'Do not change this file unless absolutely sure."};
}

LinesRead forEachFileLine(const std::string& path,
                          const std::function<void(std::string_view line, std::uint64_t end)>& onLine) {
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
    FilePtr file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        return LinesRead::Unreadable;
    }
    std::vector<char> buf(kBlockSize);
    std::size_t kept = 0;       // bytes of an unfinished line at the start of buf
    std::uint64_t bufStart = 0; // offset in the file of buf's first byte
    for (;;) {
        if (kept == buf.size()) {
            buf.resize(buf.size() * 2);
        }
        const std::size_t got = std::fread(buf.data() + kept, 1, buf.size() - kept, file.get());
        if (got == 0 && std::ferror(file.get())) {
            return LinesRead::Unreadable;
        }
        const bool atEnd = got == 0;
        const std::string_view block(buf.data(), kept + got);
        const std::size_t used = forEachLine(block, atEnd, [&](std::string_view line) {
            onLine(line, bufStart + static_cast<std::uint64_t>(line.data() + line.size() - block.data()));
        });
        if (atEnd) {
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
