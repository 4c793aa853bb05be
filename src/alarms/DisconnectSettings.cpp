#include "alarms/DisconnectSettings.h"

#include "common/NumberText.h"
#include "config/SettingsKeys.h"

#include <cmath>

namespace tw {

DisconnectSettings loadDisconnectSettings(const std::string& settingsPath) {
    DisconnectSettings settings;
    settings.automatic = readIni(settingsPath, kAutomaticDisconnect) == "1";
    settings.cancellable = readIni(settingsPath, kNoCancelDisconnect) != "1";
    // Stored as typed; the alarm window lets only 1..99 through while the box is checked.
    if (const auto seconds = parseNumber(readIni(settingsPath, kSecondsDelay))) {
        const double whole = std::nearbyint(*seconds);
        if (whole >= kMinDisconnectDelay && whole <= kMaxDisconnectDelay) {
            settings.delaySeconds = static_cast<int>(whole);
        }
    }
    return settings;
}

} // namespace tw
