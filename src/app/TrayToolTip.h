#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tw {

class dayObject;

struct TraySpeeds {
    std::int32_t download = 0; // bytes per second
    std::int32_t upload = 0;
};

// The tray icon's tooltip: the logging state line, then the current speeds (only while a pass runs, so none when
// paused or stopped), then today's and this month's totals, each amount in its own variable unit:
//   "Tallywave - Logging\n↓ 1.2 MB/s ↑ 40.0 kB/s\nToday 1.4 GB · Month 23.0 GB"
std::string trayToolTip(std::string_view stateLine, const std::optional<TraySpeeds>& speeds, const dayObject& today,
                        const dayObject& month, char decimalSeparator);

} // namespace tw
