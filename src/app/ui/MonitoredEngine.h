#pragma once

#include "measure/ConnectionSettings.h"
#include "measure/TrafficEngine.h"

#include <memory>
#include <string>
#include <vector>

namespace tw {

class NetworkTables;

// The traffic engine together with the way its monitored connections are (re)built from the settings. The window
// uses IPData over the system's tables; tests give a scripted engine.
class MonitoredEngine {
public:
    virtual ~MonitoredEngine() = default;
    virtual TrafficEngine& engine() = 0;
    // Drops the current connections and adds those of the settings file; returns the status bar panel's texts.
    virtual ConnectionsStatus reloadConnections(const std::string& settingsPath) = 0;
    // The connection panel's tool tip as things are now (the links counted change); empty keeps the rebuild's.
    virtual std::string connectionsToolTip() { return {}; }
    // The links the monitored connections are on now: what a disconnection at the limit takes off the network.
    virtual std::vector<std::string> monitoredLinks() { return {}; }
};

std::unique_ptr<MonitoredEngine> makeMonitoredEngine(NetworkTables& tables);

} // namespace tw
