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
    // Plain digits are what the program writes; summing them directly is several times faster than a general
    // floating-point parse, and exact below 10^15.
    if (!text.empty() && text.size() <= 15) {
        std::uint64_t whole = 0;
        std::size_t i = 0;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
            whole = whole * 10 + static_cast<std::uint64_t>(text[i] - '0');
            ++i;
        }
        if (i == text.size()) {
            return static_cast<double>(whole);
        }
    }
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

int twoDigits(const char* p) {
    return (p[0] - '0') * 10 + (p[1] - '0');
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The history file's own "yyyy-mm-dd hh:mm" is read directly; anything else goes through the general parser.
std::optional<DateTime> parseDate(std::string_view text) {
    constexpr std::string_view kShape = "dddd-dd-dd dd:dd";
    if (text.size() == kShape.size()) {
        bool fits = true;
        for (std::size_t i = 0; i < kShape.size() && fits; ++i) {
            fits = kShape[i] == 'd' ? isDigit(text[i]) : text[i] == kShape[i];
        }
        if (fits) {
            const char* p = text.data();
            const auto t = DateTime::fromCivil(twoDigits(p) * 100 + twoDigits(p + 2), twoDigits(p + 5),
                                               twoDigits(p + 8), twoDigits(p + 11), twoDigits(p + 14));
            return t.isValid() ? std::optional<DateTime>(t) : std::nullopt;
        }
    }
    return DateTime::parse(text);
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

std::optional<clsSessionData::Fields> clsSessionData::fieldsOf(std::string_view line) {
    if (!line.empty() && line.back() == '\r') {
        line.remove_suffix(1);
    }
    if (line.empty() || line.front() == '\'') {
        return std::nullopt;
    }
    Fields fields;
    std::size_t pos = 0;
    for (auto& field : fields) {
        const std::size_t end = line.find(';', pos);
        if (end == std::string_view::npos) {
            return std::nullopt;
        }
        field = line.substr(pos, end - pos);
        pos = end + 1;
    }
    return fields;
}

std::optional<clsSessionData> clsSessionData::parse(std::string_view line) {
    const auto fields = fieldsOf(line);
    return fields ? parse(*fields) : std::nullopt;
}

std::optional<clsSessionData> clsSessionData::parse(const Fields& fields) {
    const auto start = parseDate(fields[0]);
    const auto stop = parseDate(fields[1]);
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
