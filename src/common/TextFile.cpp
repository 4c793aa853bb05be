#include "common/TextFile.h"

#include <filesystem>
#include <fstream>
#include <iterator>

namespace tw {

std::optional<std::string> readWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::string data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) {
        return std::nullopt;
    }
    return data;
}

std::vector<std::string> splitLines(std::string_view text) {
    std::vector<std::string> lines;
    forEachLine(text, true, [&lines](std::string_view line) { lines.emplace_back(line); });
    return lines;
}

std::optional<std::vector<std::string>> readTextLines(const std::string& path) {
    auto data = readWholeFile(path);
    if (!data) {
        return std::nullopt;
    }
    return splitLines(*data);
}

std::string joinLines(const std::vector<std::string>& lines) {
    std::string out;
    std::size_t size = 0;
    for (const auto& l : lines) {
        size += l.size() + kLineEnd.size();
    }
    out.reserve(size);
    for (const auto& l : lines) {
        out += l;
        out += kLineEnd;
    }
    return out;
}

bool fileExists(const std::string& path) {
    std::error_code ec;
    return !path.empty() && std::filesystem::is_regular_file(path, ec);
}

} // namespace tw
