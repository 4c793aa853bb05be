#include "common/NumberText.h"

#include <charconv>
#include <cmath>

namespace tw {

std::optional<double> parseNumber(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return std::nullopt;
    }
    std::string_view number = text.substr(first, text.find_last_not_of(" \t") - first + 1);
    // from_chars is independent of the C locale and reads no hexadecimal, "inf" or "nan".
    if (number.starts_with('+')) {
        number.remove_prefix(1);
    }
    double value = 0;
    const auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (ec != std::errc{} || end != number.data() + number.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

std::string decimalText(double value) {
    char buffer[400]; // the longest fixed form of a double has 309 digits before the point
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    return std::string(buffer, result.ptr);
}

} // namespace tw
