#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tw {

// The program's text files (settings, history) are read with CR LF or LF line ends and written with CR LF.
inline constexpr std::string_view kLineEnd = "\r\n";

// Reads every line of a file, without its line end (CR LF, LF or a lone CR at the end of a line).
// std::nullopt when the file cannot be opened; an empty vector for an empty file.
std::optional<std::vector<std::string>> readTextLines(const std::string& path);

// Splits a whole text into lines as readTextLines does.
std::vector<std::string> splitLines(std::string_view text);

// Reads the whole file; std::nullopt when it cannot be opened.
std::optional<std::string> readWholeFile(const std::string& path);

// Joins lines with CR LF after each one.
std::string joinLines(const std::vector<std::string>& lines);

bool fileExists(const std::string& path);

} // namespace tw
