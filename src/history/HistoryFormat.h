#pragma once

#include "common/DateTime.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tw {

// datasource.txt: three header lines, "'" comment lines, one "yyyy-mm-dd hh:mm;yyyy-mm-dd hh:mm;down;up;maxdown;maxup;"
// line per session, CR LF.
inline constexpr std::size_t kHistoryHeaderLineCount = 3;

// The header lines a new history file starts with, dated `created`.
std::vector<std::string> historyHeaderLines(const DateTime& created);

// What was found at a path that was to be read line by line.
enum class LinesRead {
    Read,
    Missing,    // nothing at the path
    NotAFile,   // something that is no regular file (a folder)
    Unreadable, // a file that could not be opened or read
};

// Calls onLine(line, end) for every line of the file from byte `from` (a line's start) on, without its line end (CR
// LF, LF or a bare CR); `end` is the offset in the file just after the line. The file is read in large blocks, so
// that a history of many megabytes is never held whole nor copied line by line. Lines given before a read error stay
// given. `wholeLinesEnd`, when given, receives the offset after the line end of the last line that has one.
LinesRead forEachFileLine(const std::string& path,
                          const std::function<void(std::string_view line, std::uint64_t end)>& onLine,
                          std::uint64_t from = 0, std::uint64_t* wholeLinesEnd = nullptr);

// Every line of a regular file; std::nullopt when there is none or it cannot be read.
std::optional<std::vector<std::string>> readFileLines(const std::string& path);

} // namespace tw
