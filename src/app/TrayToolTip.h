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
// A billing month that does not start on the 1st is called "Period"; with an allowance its line comes last:
//   "...\nToday 1.4 GB · Period 23.0 GB\n46 % of 50 GB · at this pace: 38.2 GB by the 14th"
std::string trayToolTip(std::string_view stateLine, const std::optional<TraySpeeds>& speeds, const dayObject& today,
                        const dayObject& month, char decimalSeparator, std::string_view monthWord = "Month",
                        std::string_view allowanceLine = {});

} // namespace tw
