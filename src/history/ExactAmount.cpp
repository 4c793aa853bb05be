#include "history/ExactAmount.h"

#include "common/ByteUnits.h"

#include <cmath>
#include <numeric>

namespace tw {

namespace {

// Far beyond any real history; keeps the conversion of absurd file values defined.
constexpr double kLargestAmount = 1e36;

__extension__ typedef unsigned __int128 UnsignedWholeBytes;

WholeBytes absolute(WholeBytes v) {
    return v < 0 ? -v : v;
}

// One 128-bit remainder, then 64-bit steps: statistics of a long history reduce many fractions.
std::int64_t gcdWithDenominator(WholeBytes numerator, std::int64_t denominator) {
    return std::gcd(static_cast<std::int64_t>(absolute(numerator % denominator)), denominator);
}

} // namespace

WholeBytes wholeBytesFromDouble(double value) {
    if (!std::isfinite(value)) {
        return 0;
    }
    value = std::round(value);
    if (std::fabs(value) < 9.0e18) {
        return static_cast<std::int64_t>(value); // the usual case, without the slower 128-bit conversion
    }
    if (value > kLargestAmount) {
        value = kLargestAmount;
    } else if (value < -kLargestAmount) {
        value = -kLargestAmount;
    }
    return static_cast<WholeBytes>(value);
}

std::string wholeBytesToString(WholeBytes value) {
    if (value == 0) {
        return "0";
    }
    bool negative = value < 0;
    // The most negative value cannot be negated; amounts never come near it.
    UnsignedWholeBytes v =
        negative ? static_cast<UnsignedWholeBytes>(-(value + 1)) + 1 : static_cast<UnsignedWholeBytes>(value);
    char buf[48];
    int pos = sizeof buf;
    while (v != 0) {
        buf[--pos] = static_cast<char>('0' + static_cast<int>(v % 10));
        v /= 10;
    }
    if (negative) {
        buf[--pos] = '-';
    }
    return std::string(buf + pos, sizeof buf - static_cast<std::size_t>(pos));
}

ExactAmount ExactAmount::ratio(WholeBytes numerator, std::int64_t denominator) {
    ExactAmount r;
    if (denominator == 0) {
        return r;
    }
    if (denominator < 0) {
        numerator = -numerator;
        denominator = -denominator;
    }
    const std::int64_t g = gcdWithDenominator(numerator, denominator);
    if (g > 1) {
        numerator /= g;
        denominator /= g;
    }
    r.m_numerator = numerator;
    r.m_denominator = denominator;
    return r;
}

WholeBytes ExactAmount::rounded() const {
    WholeBytes q = m_numerator / m_denominator;
    WholeBytes rest = absolute(m_numerator % m_denominator);
    if (rest * 2 >= m_denominator) {
        q += m_numerator < 0 ? -1 : 1;
    }
    return q;
}

double ExactAmount::toDouble() const {
    return static_cast<double>(m_numerator) / static_cast<double>(m_denominator);
}

std::string formatGroupedBytes(WholeBytes value) {
    return groupDigits(wholeBytesToString(value));
}

std::string formatGroupedBytes(const ExactAmount& value) {
    return formatGroupedBytes(value.rounded());
}

} // namespace tw
