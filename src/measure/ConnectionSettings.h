#pragma once

#include "config/MonitoredConnection.h"

#include <string>
#include <vector>

namespace tw {

class IPData;

// Text and tool tip of the status bar's connection panel.
struct ConnectionsStatus {
    std::string text;
    std::string toolTip;
};

// The listed connections of the "Interfaces" section in file order; rows with an unknown kind text are left out.
std::vector<MonitoredConnection> readListedConnections(const std::string& settingsPath);

// Rebuilds the engine's list from the settings: all connections, or the listed ones in file order. Every new entry
// starts first-time, so the next update only sets baselines.
ConnectionsStatus loadMonitoredConnections(const std::string& settingsPath, IPData& engine);

// Tool tip of the connection panel. For all connections it says what is counted and names the links counted now
// (the table is read afresh), so it is worth asking again whenever it is shown.
std::string connectionsToolTip(IPData& engine);

} // namespace tw
