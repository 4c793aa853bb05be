#include "common/ByteUnits.h"

namespace tw {

int largestUnitReached(double bytes, int lastUnit) {
    int unit = kUnitBytes;
    while (unit < lastUnit && !(bytes < bytesPerUnit(unit + 1))) {
        ++unit;
    }
    return unit;
}

int largestUnitExceeded(double bytes, int firstUnit, int lastUnit) {
    int unit = firstUnit;
    while (unit < lastUnit && bytes > bytesPerUnit(unit + 1)) {
        ++unit;
    }
    return unit;
}

int largestDividingUnit(double bytes, int lastUnit) {
    int unit = lastUnit;
    while (unit > kUnitBytes && !(bytes > 0 && std::fmod(bytes, bytesPerUnit(unit)) == 0)) {
        --unit;
    }
    return unit;
}

std::string groupDigits(std::string_view digits) {
    const std::size_t start = digits.starts_with('-') ? 1 : 0;
    std::string out;
    out.reserve(digits.size() + digits.size() / 3);
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > start && (digits.size() - i) % 3 == 0) {
            out += ' ';
        }
        out += digits[i];
    }
    return out;
}

} // namespace tw
