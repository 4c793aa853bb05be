#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tw {

// The tray icon's activity threshold as the settings window takes it: a number typed by the user and a unit
// (0 bytes/s, 1 kB/s, 2 MB/s). The number is rounded to a whole number (halves to even) before the unit applies.
struct SensitivityCheck {
    bool ok = false;
    std::int32_t threshold = 0; // bytes per second, when ok
    std::string message;        // what to tell the user otherwise; lines separated by "\n"
};

inline constexpr std::int64_t kMaxIconSensitivity = 1073741824; // 1024 MB/s

SensitivityCheck checkIconSensitivity(std::string_view text, int unitIndex);

// The threshold the settings file holds now: "bytesText" (default 1) times 1024 to the power "bytesCombo"
// (default 0), rounded to a 32-bit integer.
std::int32_t loadIconSensitivity(const std::string& settingsPath);

} // namespace tw
