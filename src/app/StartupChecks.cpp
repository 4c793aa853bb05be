#include "app/StartupChecks.h"

#include "common/MessageSink.h"
#include "config/IniFile.h"
#include "platform/ProcessList.h"

#include <cmath>
#include <limits>

namespace tw {

bool anotherUserRunsCopy(const ProcessList& processes) {
    const std::string own = processes.ownExeFileName();
    if (own.empty()) {
        return false;
    }
    for (const ProcessInfo& p : processes.snapshot()) {
        if (!p.sameUser && p.exeFileName == own) {
            return true;
        }
    }
    return false;
}

std::string anotherUserMessage() {
    const std::string title(kAppTitle);
    return "Another user logged on to this computer is already running " + title + ".\nSwitch to that user and run " +
           title + " from there.";
}

std::int32_t iconSensitivityFrom(double amount, int unitIndex) {
    if (!std::isfinite(amount)) {
        amount = 1;
    }
    const double whole = std::nearbyint(amount); // the default rounding mode rounds halves to even
    const double value = std::nearbyint(whole * std::pow(1024.0, unitIndex < 0 ? 0 : unitIndex));
    constexpr double kMax = std::numeric_limits<std::int32_t>::max();
    constexpr double kMin = std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(value > kMax ? kMax : value < kMin ? kMin : value);
}

std::int32_t iconSensitivityFromSettings(const std::string& settingsPath) {
    const double amount = iniToDouble(readIniValue(settingsPath, "General", "bytesText", "1"), 1);
    const int unit = iniToInt(readIniValue(settingsPath, "General", "bytesCombo", "0"), 0);
    return iconSensitivityFrom(amount, unit);
}

} // namespace tw
