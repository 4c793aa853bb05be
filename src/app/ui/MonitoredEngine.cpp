#include "app/ui/MonitoredEngine.h"

#include "measure/IPData.h"

namespace tw {

namespace {

class IPDataEngine final : public MonitoredEngine {
public:
    explicit IPDataEngine(NetworkTables& tables) : m_ipData(tables) {}
    TrafficEngine& engine() override { return m_ipData; }
    ConnectionsStatus reloadConnections(const std::string& settingsPath) override {
        m_ipData.clearAdaptors();
        return loadMonitoredConnections(settingsPath, m_ipData);
    }
    std::string connectionsToolTip() override { return tw::connectionsToolTip(m_ipData); }
    std::vector<std::string> monitoredLinks() override { return m_ipData.monitoredLinks(); }

private:
    IPData m_ipData;
};

} // namespace

std::unique_ptr<MonitoredEngine> makeMonitoredEngine(NetworkTables& tables) {
    return std::make_unique<IPDataEngine>(tables);
}

} // namespace tw
