#include "measure/ConnectionSettings.h"

#include "config/IniFile.h"
#include "config/NumberedRows.h"
#include "config/SettingsKeys.h"
#include "measure/IPData.h"

namespace tw {

std::vector<MonitoredConnection> readListedConnections(const std::string& settingsPath) {
    std::vector<MonitoredConnection> list;
    for (const IniRow& row : readNumberedRows(settingsPath, kNumInterfaces, kInterfaceRowColumns)) {
        if (const auto kind = kindFromText(row.at(0))) {
            list.push_back(MonitoredConnection{*kind, row.at(1)});
        }
    }
    return list;
}

ConnectionsStatus loadMonitoredConnections(const std::string& settingsPath, IPData& engine) {
    ConnectionsStatus status;
    const std::string all =
        readIniValue(settingsPath, kAllInterfaces.section, kAllInterfaces.key, kAllInterfaces.defaultValue);
    if (iniToBool(all, true)) {
        engine.addAllAdaptors();
    } else {
        engine.clearAdaptors();
        for (MonitoredConnection& connection : readListedConnections(settingsPath)) {
            engine.addAdaptor(connection.kind, std::move(connection.name));
        }
    }
    status.text = engine.getAdaptor();
    status.toolTip = connectionsToolTip(engine);
    return status;
}

std::string connectionsToolTip(IPData& engine) {
    const auto& entries = engine.adaptors();
    if (entries.empty() || entries.front().getType() != kKindAllConnections) {
        return "Name of the monitored connection(s).";
    }
    std::string text = "All connections are monitored, each byte once, on the link where it enters or leaves this "
                       "computer (not on the loopback, bridges, virtual or VPN links).\nCounted now: ";
    const std::vector<std::string> links = engine.countedLinks();
    if (links.empty()) {
        text += "none";
    }
    for (std::size_t i = 0; i < links.size(); ++i) {
        text += (i == 0 ? "" : ", ") + links[i];
    }
    return text + ".";
}

} // namespace tw
