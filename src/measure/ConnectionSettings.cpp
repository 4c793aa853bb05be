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
        status.toolTip = "All connections (but IP 127.0.0.1) are monitored.";
    } else {
        engine.clearAdaptors();
        for (MonitoredConnection& connection : readListedConnections(settingsPath)) {
            engine.addAdaptor(connection.kind, std::move(connection.name));
        }
        status.toolTip = "Name of the monitored connection(s).";
    }
    status.text = engine.getAdaptor();
    return status;
}

} // namespace tw
