#include "app/AmountFormatter.h"

#include "common/ByteUnits.h"

#include <array>
#include <charconv>
#include <cmath>
#include <string_view>

namespace tw {

namespace {

bool isPlace(char c) {
    return c == '#' || c == '0';
}

} // namespace

std::string formatWithMask(double value, const std::string& mask, char decimalSeparator) {
    const std::size_t dot = mask.find('.');
    const std::string_view intMask = std::string_view(mask).substr(0, dot);
    const std::string_view tailMask =
        dot == std::string::npos ? std::string_view() : std::string_view(mask).substr(dot + 1);
    int decimals = 0;
    for (char c : tailMask) {
        decimals += isPlace(c) ? 1 : 0;
    }

    if (!std::isfinite(value)) {
        value = 0;
    }
    // Rounded on the exact binary value, exact halves to even.
    std::array<char, 400> buf{};
    const auto res =
        std::to_chars(buf.data(), buf.data() + buf.size(), std::fabs(value), std::chars_format::fixed, decimals);
    const std::string_view digits(buf.data(), static_cast<std::size_t>(res.ptr - buf.data()));
    const std::size_t point = digits.find('.');
    std::string_view whole = digits.substr(0, point);
    const std::string_view fraction = point == std::string_view::npos ? std::string_view() : digits.substr(point + 1);
    const bool negative = value < 0 && digits.find_first_not_of("0.") != std::string_view::npos;
    if (whole == "0") {
        whole = {}; // a zero integer part shows only where the mask demands a digit
    }

    std::size_t places = 0;
    for (char c : intMask) {
        places += isPlace(c) ? 1 : 0;
    }
    // Digits beyond the mask's places print in front of its first place.
    const std::size_t surplus = whole.size() > places ? whole.size() - places : 0;
    std::string out;
    out.reserve(mask.size() + surplus + 2);
    std::size_t place = 0;
    bool signWritten = !negative;
    for (char c : intMask) {
        if (!isPlace(c)) {
            out += c;
            continue;
        }
        const std::size_t fromRight = places - 1 - place;
        const bool hasDigit = fromRight < whole.size();
        if (!signWritten && ((place == 0 && surplus > 0) || hasDigit || c == '0')) {
            out += '-'; // in front of the first digit shown
            signWritten = true;
        }
        if (place == 0) {
            out.append(whole.substr(0, surplus));
        }
        if (hasDigit) {
            out += whole[whole.size() - 1 - fromRight];
        } else if (c == '0') {
            out += '0';
        }
        ++place;
    }
    if (dot != std::string::npos) {
        out += decimalSeparator;
        std::size_t next = 0;
        for (char c : tailMask) {
            out += isPlace(c) ? fraction[next++] : c;
        }
    }
    return out;
}

AmountTexts formatAmounts(double received, double sent, int unitSetting, char decimalSeparator) {
    const double total = received + sent;
    const int unit = unitSetting >= 1 && unitSetting <= 4 ? unitSetting - 1 : largestUnitReached(total, kUnitGB);
    const std::string mask = unit == kUnitBytes ? "# ### ### ##0 " : "# ### ### ##0.0 ";
    const std::string_view word = kByteUnitNames[static_cast<std::size_t>(unit)];
    auto text = [&](double v) { return formatWithMask(inUnit(v, unit), mask, decimalSeparator).append(word); };
    return {text(received), text(sent), text(total)};
}

std::string trimSpaces(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

std::string formatShortAmount(double bytes, char decimalSeparator) {
    const int unit = largestUnitReached(bytes, kUnitTB);
    std::string text =
        trimSpaces(formatWithMask(inUnit(bytes, unit), unit == kUnitBytes ? "0" : "0.0", decimalSeparator));
    if (unit != kUnitBytes && text.ends_with(std::string{decimalSeparator, '0'})) {
        text.resize(text.size() - 2);
    }
    return text + " " + std::string(kByteUnitNames[static_cast<std::size_t>(unit)]);
}

AmountTexts formatSpeeds(std::int64_t download, std::int64_t upload, int unitSetting, char decimalSeparator) {
    const auto total = static_cast<double>(download) + static_cast<double>(upload);
    const int unit = unitSetting >= 1 && unitSetting <= 3 ? unitSetting - 1 : largestUnitReached(total, kUnitMB);
    const std::string mask = unit == kUnitBytes ? "# ### ##0 " : "# ##0.0 ";
    const std::string_view word = kByteRateUnitNames[static_cast<std::size_t>(unit)];
    auto text = [&](double v) { return formatWithMask(inUnit(v, unit), mask, decimalSeparator).append(word); };
    return {text(static_cast<double>(download)), text(static_cast<double>(upload)), text(total)};
}

} // namespace tw
