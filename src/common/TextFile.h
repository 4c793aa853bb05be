#pragma once

#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tw {

// The program's text files (settings, history, journal) are written with CR LF. Files written by other tools are
// read alike whether their lines end in CR LF, LF or a bare CR (old Mac editors).
inline constexpr std::string_view kLineEnd = "\r\n";

// The one line splitter of every reader: calls onLine(line) for each line of `text`, without its line end (CR LF, LF
// or a bare CR). Returns how many bytes it consumed. When `atEnd` is false the text is one block of a longer file:
// the unfinished last line, and a CR that may be the first half of a CR LF, stay unconsumed for the next block.
template <typename OnLine> std::size_t forEachLine(std::string_view text, bool atEnd, OnLine&& onLine) {
    const char* const data = text.data();
    const std::size_t size = text.size();
    std::size_t pos = 0;
    // Where the next LF is; searched again only once passed, so that a file without any LF stays linear.
    std::size_t nextLf = 0;
    bool lfSearched = false;
    while (pos < size) {
        if (!lfSearched || (nextLf != std::string_view::npos && nextLf < pos)) {
            const void* lf = std::memchr(data + pos, '\n', size - pos);
            nextLf =
                lf != nullptr ? static_cast<std::size_t>(static_cast<const char*>(lf) - data) : std::string_view::npos;
            lfSearched = true;
        }
        const std::size_t limit = nextLf == std::string_view::npos ? size : nextLf;
        const void* cr = std::memchr(data + pos, '\r', limit - pos);
        if (cr != nullptr) {
            const auto at = static_cast<std::size_t>(static_cast<const char*>(cr) - data);
            if (at + 1 == size && !atEnd) {
                break; // CR LF may be split between two blocks
            }
            onLine(text.substr(pos, at - pos));
            pos = at + 1 < size && data[at + 1] == '\n' ? at + 2 : at + 1;
        } else if (nextLf != std::string_view::npos) {
            onLine(text.substr(pos, nextLf - pos));
            pos = nextLf + 1;
        } else {
            if (atEnd) {
                onLine(text.substr(pos));
                pos = size;
            }
            break;
        }
    }
    return pos;
}

// Reads every line of a file, without its line end. std::nullopt when the file cannot be opened; an empty vector
// for an empty file.
std::optional<std::vector<std::string>> readTextLines(const std::string& path);

// Splits a whole text into lines as readTextLines does.
std::vector<std::string> splitLines(std::string_view text);

// Reads the whole file; std::nullopt when it cannot be opened.
std::optional<std::string> readWholeFile(const std::string& path);

// Joins lines with CR LF after each one.
std::string joinLines(const std::vector<std::string>& lines);

bool fileExists(const std::string& path);

} // namespace tw
