#include "history/clsSessionData.h"

#include <array>
#include <charconv>
#include <cmath>

namespace tw {

namespace {

std::string_view trimBlanks(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) {
        s.remove_prefix(1);
    }
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) {
        s.remove_suffix(1);
    }
    return s;
}

std::optional<double> parseAmount(std::string_view text) {
    text = trimBlanks(text);
    double value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size() || !std::isfinite(value) || value < 0) {
        return std::nullopt;
    }
    return value;
}

std::optional<std::int32_t> parseSpeed(std::string_view text) {
    text = trimBlanks(text);
    std::int32_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

} // namespace

std::string historyAmountText(double amount) {
    if (!std::isfinite(amount)) {
        return "0";
    }
    // Fixed notation keeps the shortest round-trip digits without ever switching to an exponent.
    std::array<char, 400> buf{};
    const auto result = std::to_chars(buf.data(), buf.data() + buf.size(), amount, std::chars_format::fixed);
    return std::string(buf.data(), result.ptr);
}

std::string clsSessionData::getStoreString() const {
    std::string line = startDate.toHistoryString();
    line += ';';
    line += stopDate.toHistoryString();
    line += ';';
    line += historyAmountText(downloaded);
    line += ';';
    line += historyAmountText(uploaded);
    line += ';';
    line += std::to_string(maxDownloadSpeed);
    line += ';';
    line += std::to_string(maxUploadSpeed);
    line += ';';
    return line;
}

std::optional<clsSessionData> clsSessionData::parse(std::string_view line) {
    if (!line.empty() && line.back() == '\r') {
        line.remove_suffix(1);
    }
    if (line.empty() || line.front() == '\'') {
        return std::nullopt;
    }
    std::array<std::string_view, 6> fields;
    std::size_t pos = 0;
    for (auto& field : fields) {
        const std::size_t end = line.find(';', pos);
        if (end == std::string_view::npos) {
            return std::nullopt;
        }
        field = line.substr(pos, end - pos);
        pos = end + 1;
    }
    const auto start = DateTime::parse(fields[0]);
    const auto stop = DateTime::parse(fields[1]);
    const auto down = parseAmount(fields[2]);
    const auto up = parseAmount(fields[3]);
    const auto maxDown = parseSpeed(fields[4]);
    const auto maxUp = parseSpeed(fields[5]);
    if (!start || !stop || !down || !up || !maxDown || !maxUp) {
        return std::nullopt;
    }
    clsSessionData s;
    s.startDate = *start;
    s.stopDate = *stop;
    s.downloaded = *down;
    s.uploaded = *up;
    s.maxDownloadSpeed = *maxDown;
    s.maxUploadSpeed = *maxUp;
    return s;
}

} // namespace tw
