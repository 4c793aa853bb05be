#pragma once

#include <array>
#include <cmath>
#include <string>
#include <string_view>

namespace tw {

// Byte amounts everywhere are counted in units of 1024: unit n holds 1024 to the power n bytes.
inline constexpr int kUnitBytes = 0;
inline constexpr int kUnitKB = 1;
inline constexpr int kUnitMB = 2;
inline constexpr int kUnitGB = 3;
inline constexpr int kUnitTB = 4;

inline constexpr std::array<std::string_view, 5> kByteUnitNames = {"bytes", "kB", "MB", "GB", "TB"};
inline constexpr std::array<std::string_view, 3> kByteRateUnitNames = {"bytes/s", "kB/s", "MB/s"};

inline double bytesPerUnit(int unit) {
    return std::pow(1024.0, unit);
}

// The amount counted in the unit; exact, the unit being a power of two.
inline double inUnit(double bytes, int unit) {
    return bytes / bytesPerUnit(unit);
}

// The largest unit, up to lastUnit, of which the amount holds at least one: 1023 bytes stay bytes, 1024 are 1 kB.
// An amount that compares with nothing (NaN) gets the last unit.
int largestUnitReached(double bytes, int lastUnit);
// The largest unit from firstUnit up to lastUnit that the amount exceeds: 1024 bytes stay bytes, 1025 are kB.
int largestUnitExceeded(double bytes, int firstUnit, int lastUnit);

// The largest unit, up to lastUnit, that divides the amount exactly ("1536 kB", "5 GB"); bytes for zero, negative and
// fractional amounts.
int largestDividingUnit(double bytes, int lastUnit);

// Decimal digits in groups of three from the right, separated by spaces; a leading "-" stays in front:
// "1234567" -> "1 234 567", "-1234" -> "-1 234".
std::string groupDigits(std::string_view digits);

} // namespace tw
