#include "history/ByteTotal.h"

#include "history/clsSessionData.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace tw {

namespace {

// Far below 2^128: adding a thousand million such amounts cannot overflow the small part.
__extension__ typedef unsigned __int128 Unsigned128;
constexpr Unsigned128 kSmallLimit = static_cast<Unsigned128>(1) << 96;
constexpr std::size_t kSmallDigits = 19; // every 19-digit number fits 64 bits

std::string_view trimBlanks(std::string_view s) {
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

bool plainDigits(std::string_view s) {
    return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::string toDigits(Unsigned128 v) {
    if (v == 0) {
        return "0";
    }
    std::string out;
    while (v != 0) {
        out += static_cast<char>('0' + static_cast<int>(v % 10));
        v /= 10;
    }
    std::reverse(out.begin(), out.end());
    return out;
}

// Sum of two digit strings.
std::string addDecimal(std::string_view a, std::string_view b) {
    std::string out;
    out.reserve(std::max(a.size(), b.size()) + 1);
    int carry = 0;
    for (std::size_t i = 0; i < a.size() || i < b.size() || carry != 0; ++i) {
        int d = carry;
        if (i < a.size()) {
            d += a[a.size() - 1 - i] - '0';
        }
        if (i < b.size()) {
            d += b[b.size() - 1 - i] - '0';
        }
        out += static_cast<char>('0' + d % 10);
        carry = d / 10;
    }
    std::reverse(out.begin(), out.end());
    return out;
}

} // namespace

void ByteTotal::addDigits(std::string_view digits) {
    digits.remove_prefix(std::min(digits.find_first_not_of('0'), digits.size()));
    if (digits.size() <= kSmallDigits) {
        std::uint64_t v = 0;
        std::from_chars(digits.data(), digits.data() + digits.size(), v);
        m_small += v;
        if (m_small >= kSmallLimit) {
            m_large = addDecimal(m_large, toDigits(m_small));
            m_small = 0;
        }
        return;
    }
    m_large = addDecimal(m_large, digits);
}

void ByteTotal::add(double value, std::string_view written) {
    written = trimBlanks(written);
    if (plainDigits(written)) {
        addDigits(written);
        return;
    }
    if (!std::isfinite(value) || value <= 0) {
        return;
    }
    addDigits(historyAmountText(std::round(value)));
}

void ByteTotal::add(const ByteTotal& other) {
    addDigits(toDigits(other.m_small));
    if (!other.m_large.empty()) {
        m_large = addDecimal(m_large, other.m_large);
    }
}

std::string ByteTotal::toString() const {
    if (m_large.empty()) {
        return toDigits(m_small);
    }
    return addDecimal(m_large, toDigits(m_small));
}

double ByteTotal::toDouble() const {
    if (m_large.empty()) {
        return static_cast<double>(m_small);
    }
    const std::string digits = toString();
    double v = 0;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), v);
    if (ec == std::errc::result_out_of_range) {
        return std::numeric_limits<double>::max();
    }
    return v;
}

} // namespace tw
