#include "measure/ConnectionSettings.h"
#include "measure/IPData.h"
#include "platform/fake/FakeNetworkTables.h"
#include "support/TempDir.h"

#include <gmock/gmock.h>

using namespace tw;

namespace {

class ConnectionSettingsTest : public testing::Test {
protected:
    twtest::TempDir dir;
    std::string settings = dir.file("settings.txt");
    FakeNetworkTables tables;
    IPData engine{tables};
};

TEST_F(ConnectionSettingsTest, WithoutASettingsFileAllConnectionsAreMonitored) {
    engine.addAdaptor(kKindInterface, "stale");
    const ConnectionsStatus status = loadMonitoredConnections(settings, engine);
    EXPECT_EQ(status.text, "All connections");
    EXPECT_EQ(status.toolTip, "All connections (but IP 127.0.0.1) are monitored.");
    ASSERT_EQ(engine.adaptors().size(), 1u);
    EXPECT_EQ(engine.adaptors().front().getType(), kKindAllConnections);
}

TEST_F(ConnectionSettingsTest, AnEmptyListMonitorsNothing) {
    dir.write("settings.txt", "[Interfaces]\r\nallInterfaces=0\r\nNumInterfaces=0\r\n");
    const ConnectionsStatus status = loadMonitoredConnections(settings, engine);
    EXPECT_EQ(status.text, "No connections are monitored.");
    EXPECT_EQ(status.toolTip, "Name of the monitored connection(s).");
    EXPECT_TRUE(engine.adaptors().empty());
}

TEST_F(ConnectionSettingsTest, ListedRowsAreAddedInFileOrderSkippingUnknownKinds) {
    dir.write("settings.txt", "[Interfaces]\nallInterfaces=0\nNumInterfaces=5\nRow1a=Interface\nRow1b=eth0\n"
                              "Row2a=single ip\nRow2b=10.0.0.1\nRow3a=IP Range\nRow3b=10.*.*.*\n"
                              "Row4a=Single IP\nRow5a=Single IP\nRow5b=10.0.0.2\n");
    const ConnectionsStatus status = loadMonitoredConnections(settings, engine);
    EXPECT_EQ(status.text, "Multiple connections");
    std::vector<std::pair<int, std::string>> got;
    for (const clsInterface& entry : engine.adaptors()) {
        got.emplace_back(entry.getType(), entry.getName());
        EXPECT_TRUE(entry.isFirstTime());
    }
    EXPECT_THAT(got, testing::ElementsAre(std::pair<int, std::string>{kKindInterface, "eth0"},
                                          std::pair<int, std::string>{kKindIpRange, "10.*.*.*"},
                                          std::pair<int, std::string>{kKindSingleIp, "Not defined"},
                                          std::pair<int, std::string>{kKindSingleIp, "10.0.0.2"}));
}

TEST_F(ConnectionSettingsTest, ASingleRangeShowsItsPatternAndTheListIsIgnoredWhileAllAreMonitored) {
    dir.write("settings.txt", "[Interfaces]\nallInterfaces=0\nNumInterfaces=1\nRow1a=IP Range\nRow1b=212.217.*.*\n");
    EXPECT_EQ(loadMonitoredConnections(settings, engine).text, "IP Range: 212.217.*.*");
    dir.write("settings.txt", "[Interfaces]\nallInterfaces=1\nNumInterfaces=1\nRow1a=IP Range\nRow1b=212.217.*.*\n");
    EXPECT_EQ(loadMonitoredConnections(settings, engine).text, "All connections");
    EXPECT_EQ(engine.adaptors().size(), 1u);
}

} // namespace
