#pragma once

#include <string>

namespace tw {

// What the notification window does when an alarm fires, as the alarm window stores it: count down, then
// disconnect the monitored connections, with or without a Cancel button.
struct DisconnectSettings {
    bool automatic = false;  // "automaticDisconnect" = "1"
    int delaySeconds = 10;   // "SecondsDelay": 1..99; anything else counts as 10
    bool cancellable = true; // "NoCancelDisconnect" is not "1"
};

DisconnectSettings loadDisconnectSettings(const std::string& settingsPath);

inline constexpr int kMinDisconnectDelay = 1;
inline constexpr int kMaxDisconnectDelay = 99;

} // namespace tw
