#include "common/ListSortKey.h"

#include "common/DateTime.h"

#include <cstdio>

namespace tw {

namespace {

constexpr std::size_t kWholeDigits = 40;
constexpr std::size_t kFractionDigits = 10;

std::string numberKey(std::string_view text) {
    std::string whole;
    std::string fraction;
    bool negative = false;
    bool inFraction = false;
    bool anyDigit = false;
    for (char c : text) {
        if (c == ' ' || c == '\t') {
            continue;
        }
        if (c == '-' && !anyDigit && !negative) {
            negative = true;
        } else if ((c == '.' || c == ',') && !inFraction) {
            inFraction = true;
        } else if (c >= '0' && c <= '9') {
            anyDigit = true;
            if (inFraction) {
                fraction += c;
            } else if (!whole.empty() || c != '0') {
                whole += c;
            }
        } else {
            return {};
        }
    }
    if (!anyDigit || whole.size() > kWholeDigits) {
        return {};
    }
    fraction.resize(kFractionDigits, '0');
    std::string digits = std::string(kWholeDigits - whole.size(), '0') + whole + fraction;
    if (!negative || digits.find_first_not_of('0') == std::string::npos) {
        return "1" + digits;
    }
    // Nines' complement: a larger magnitude gives a smaller key.
    for (char& c : digits) {
        c = static_cast<char>('9' - (c - '0'));
    }
    return "0" + digits;
}

std::string dateKey(std::string_view text) {
    std::optional<DateTime> d = DateTime::parse(text);
    if (!d) {
        return {};
    }
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04d%02d%02d%02d%02d%02d", d->year, d->month, d->day, d->hour, d->minute,
                  d->second);
    return buf;
}

} // namespace

std::string sortKey(std::string_view cellText, SortType type) {
    switch (type) {
    case SortType::Number:
        return numberKey(cellText);
    case SortType::Date:
        return dateKey(cellText);
    case SortType::Text:
        break;
    }
    return std::string(cellText);
}

} // namespace tw
