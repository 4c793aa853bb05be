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

TEST_F(ConnectionSettingsTest, WithoutASettingsFileAllConnectionsAreMonitoredAndTheToolTipNamesTheCountedLinks) {
    tables.addInterface(1, "lo", kIfTypeLoopback);
    tables.addInterface(2, "eth0");
    tables.addInterface(3, "docker0").kind = "bridge";
    engine.addAdaptor(kKindInterface, "stale");
    const ConnectionsStatus status = loadMonitoredConnections(settings, engine);
    EXPECT_EQ(status.text, "All connections");
    EXPECT_EQ(status.toolTip, "All connections are monitored, each byte once, on the link where it enters or leaves "
                              "this computer (not on the loopback, bridges, virtual or VPN links).\n"
                              "Counted now: eth0.");
    ASSERT_EQ(engine.adaptors().size(), 1u);
    EXPECT_EQ(engine.adaptors().front().getType(), kKindAllConnections);
    // The list follows the links: a modem that comes up is named at once.
    tables.addInterface(4, "ppp0", kIfTypePpp);
    EXPECT_THAT(connectionsToolTip(engine), testing::EndsWith("Counted now: eth0, ppp0."));
    tables.removeInterface(2);
    tables.removeInterface(3);
    tables.removeInterface(4);
    EXPECT_THAT(connectionsToolTip(engine), testing::EndsWith("Counted now: none."));
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
