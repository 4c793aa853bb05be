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
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find('\n', pos);
        const bool last = end == std::string_view::npos;
        if (last) {
            end = text.size();
        }
        std::size_t stop = end;
        if (stop > pos && text[stop - 1] == '\r') {
            --stop;
        }
        lines.emplace_back(text.substr(pos, stop - pos));
        pos = last ? text.size() : end + 1;
    }
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
