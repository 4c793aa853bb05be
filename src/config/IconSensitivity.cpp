#include "config/IconSensitivity.h"

#include "common/ByteUnits.h"
#include "common/NumberText.h"
#include "config/SettingsKeys.h"

#include <cmath>
#include <limits>

namespace tw {

SensitivityCheck checkIconSensitivity(std::string_view text, int unitIndex) {
    SensitivityCheck check;
    const auto value = parseNumber(text);
    if (!value) {
        check.message = "Sensitivity value must be numeric!";
        return check;
    }
    const double whole = std::nearbyint(*value);
    // The whole number is a 32-bit integer; beyond it the conversion itself fails.
    if (whole < std::numeric_limits<std::int32_t>::min() || whole > std::numeric_limits<std::int32_t>::max()) {
        check.message = "Couldn't save all settings.\nPlease try change the settings againg.\n"
                        "Error number: 6 (Overflow)";
        return check;
    }
    const double threshold = whole * bytesPerUnit(unitIndex);
    if (threshold > static_cast<double>(kMaxIconSensitivity)) {
        check.message = "Sensitivity value too large!\nMaximum value is 1024 MB/s.";
        return check;
    }
    if (whole < 1) {
        check.message = "Sensitivity must be at least 1 byte/s!";
        return check;
    }
    check.ok = true;
    check.threshold = static_cast<std::int32_t>(threshold);
    return check;
}

std::int32_t loadIconSensitivity(const std::string& settingsPath) {
    const int bytes = iniToInt(readIni(settingsPath, kBytesText), 1);
    const int power = iniToInt(readIni(settingsPath, kBytesCombo), 0);
    const double threshold = std::nearbyint(bytes * bytesPerUnit(power));
    if (threshold >= std::numeric_limits<std::int32_t>::max()) {
        return std::numeric_limits<std::int32_t>::max();
    }
    if (threshold <= std::numeric_limits<std::int32_t>::min()) {
        return std::numeric_limits<std::int32_t>::min();
    }
    return static_cast<std::int32_t>(threshold);
}

} // namespace tw
