#include "history/PeriodTotalsCache.h"

#include "common/TextFile.h"

#include <charconv>
#include <filesystem>
#include <vector>

namespace tw {

namespace {

constexpr std::string_view kCacheName = "datasource.totals";
constexpr std::string_view kFirstLine = "'Totals of the history up to a length, kept by Tallywave; safe to delete";

std::string hex(std::uint64_t v) {
    char buf[17];
    const auto end = std::to_chars(buf, buf + sizeof buf, v, 16).ptr;
    return std::string(buf, end);
}

std::optional<std::uint64_t> number(std::string_view text, int base = 10) {
    std::uint64_t v = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v, base);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return v;
}

bool plainDigits(std::string_view text) {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

// The lines of the file in their fixed order, then "check=" and the hash of everything before that line.
std::vector<std::pair<std::string, std::string>> fieldsOf(const PeriodTotalsCache& c) {
    return {{"file", std::to_string(c.file.device) + ":" + std::to_string(c.file.file) + ":" +
                         std::to_string(c.file.size) + ":" +
                         std::to_string(static_cast<std::uint64_t>(c.file.modified))},
            {"length", std::to_string(c.length)},
            {"tailHash", hex(c.tailHash)},
            {"latestStart", c.latestStart.toDateString() + " " + c.latestStart.toTimeString()},
            {"day", c.day.toDateString()},
            {"monthStart", c.monthStart.toDateString()},
            {"todayReceived", c.todayReceived},
            {"todaySent", c.todaySent},
            {"monthReceived", c.monthReceived},
            {"monthSent", c.monthSent}};
}

std::optional<FileIdentity> parseIdentity(std::string_view text) {
    std::uint64_t parts[4] = {};
    for (int i = 0; i < 4; ++i) {
        const auto colon = i < 3 ? text.find(':') : text.size();
        if (colon == std::string_view::npos) {
            return std::nullopt;
        }
        const auto v = number(text.substr(0, colon));
        if (!v) {
            return std::nullopt;
        }
        parts[i] = *v;
        text.remove_prefix(i < 3 ? colon + 1 : colon);
    }
    return FileIdentity{parts[0], parts[1], parts[2], static_cast<std::int64_t>(parts[3])};
}

} // namespace

std::uint64_t PeriodTotalsCache::hashOf(std::string_view bytes) {
    std::uint64_t h = 14695981039346656037ull; // FNV-1a
    for (const char c : bytes) {
        h = (h ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    }
    return h;
}

std::string periodTotalsCachePath(const std::string& historyPath) {
    return (std::filesystem::path(historyPath).parent_path() / kCacheName).string();
}

std::optional<PeriodTotalsCache> readPeriodTotalsCache(const std::string& historyPath) {
    const auto text = readWholeFile(periodTotalsCachePath(historyPath));
    if (!text) {
        return std::nullopt;
    }
    const auto checkAt = text->rfind("check=");
    if (checkAt == std::string::npos) {
        return std::nullopt;
    }
    const std::string_view body = std::string_view(*text).substr(0, checkAt);
    const auto lines = splitLines(*text);
    PeriodTotalsCache c;
    auto expected = fieldsOf(c); // for the names and their order
    if (lines.size() != expected.size() + 2 || lines.front() != kFirstLine ||
        lines.back() != "check=" + hex(PeriodTotalsCache::hashOf(body))) {
        return std::nullopt;
    }
    std::vector<std::string_view> values;
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const std::string_view line = lines[i + 1];
        const std::string& name = expected[i].first;
        if (line.size() <= name.size() || line.compare(0, name.size(), name) != 0 || line[name.size()] != '=') {
            return std::nullopt;
        }
        values.push_back(line.substr(name.size() + 1));
    }
    const auto identity = parseIdentity(values[0]);
    const auto length = number(values[1]);
    const auto tailHash = number(values[2], 16);
    const auto latestStart = DateTime::parse(values[3]);
    const auto day = DateTime::parse(values[4]);
    const auto monthStart = DateTime::parse(values[5]);
    if (!identity || !length || !tailHash || !latestStart || !day || !monthStart) {
        return std::nullopt;
    }
    for (std::size_t i = 6; i < values.size(); ++i) {
        if (!plainDigits(values[i])) {
            return std::nullopt;
        }
    }
    c.file = *identity;
    c.length = *length;
    c.tailHash = *tailHash;
    c.latestStart = *latestStart;
    c.day = *day;
    c.monthStart = *monthStart;
    c.todayReceived = values[6];
    c.todaySent = values[7];
    c.monthReceived = values[8];
    c.monthSent = values[9];
    return c;
}

bool writePeriodTotalsCache(const std::string& historyPath, const PeriodTotalsCache& cache) {
    std::vector<std::string> lines{std::string(kFirstLine)};
    for (const auto& [name, value] : fieldsOf(cache)) {
        lines.push_back(name + "=" + value);
    }
    std::string text = joinLines(lines);
    text += "check=" + hex(PeriodTotalsCache::hashOf(text)) + std::string(kLineEnd);
    return writeFileAtomically(periodTotalsCachePath(historyPath), text);
}

void forgetPeriodTotalsCache(const std::string& historyPath) {
    std::error_code ec;
    std::filesystem::remove(periodTotalsCachePath(historyPath), ec);
}

} // namespace tw
