#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tw {

// Kind codes of a monitored connection.
inline constexpr int kKindInterface = 0;
inline constexpr int kKindSingleIp = 1;
inline constexpr int kKindIpRange = 2;
inline constexpr int kKindAllConnections = 3;

inline constexpr std::string_view kAllConnectionsName = "All connections";

// One listed connection as the settings file and the settings window's list hold it.
struct MonitoredConnection {
    int kind = kKindInterface;
    std::string name;

    bool operator==(const MonitoredConnection&) const = default;
};

// "Interface", "Single IP", "IP Range"; empty for any other code (all connections are never listed).
std::string_view kindText(int kind);
// The code of a kind text, compared exactly; nothing for an unknown text.
std::optional<int> kindFromText(std::string_view text);

} // namespace tw
