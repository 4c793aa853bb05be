#include "measure/IPData.h"
#include "config/MonitoredConnection.h"
#include "platform/fake/FakeClock.h"
#include "platform/fake/FakeNetworkTables.h"
#include "support/CapturingMessageSink.h"

#include <gmock/gmock.h>

using namespace tw;
using testing::ElementsAre;

namespace {

class IPDataTest : public testing::Test {
protected:
    IPDataTest() {
        tables.addInterface(1, "lo", kIfTypeLoopback);
        tables.addAddress(1, "127.0.0.1", "255.0.0.0");
        tables.addInterface(2, "eth0");
        tables.addAddress(2, "192.168.5.7");
        tables.setCounters(1, 1000, 1000);
        tables.setCounters(2, 50'000, 20'000);
    }

    // One monitor tick: update, then both getters once.
    std::pair<std::uint64_t, std::uint64_t> tick() {
        engine.updateStatistics();
        const std::uint64_t in = engine.getBytesRecieved();
        return {in, engine.getBytesSent()};
    }

    using Pair = std::pair<std::uint64_t, std::uint64_t>;

    FakeNetworkTables tables;
    FakeClock clock;
    IPData engine{tables, clock};
};

TEST_F(IPDataTest, AnEmptyListCountsNothing) {
    EXPECT_EQ(tick(), Pair(0, 0));
    tables.addTraffic(2, 10, 10);
    EXPECT_EQ(tick(), Pair(0, 0));
}

TEST_F(IPDataTest, ANewEntryOnlySetsItsBaselineOnTheFirstUpdateAndCountsFromTheSecond) {
    engine.addAdaptor(kKindInterface, "eth0");
    EXPECT_TRUE(engine.adaptors().front().isFirstTime());
    EXPECT_EQ(tick(), Pair(0, 0));
    EXPECT_FALSE(engine.adaptors().front().isFirstTime());
    EXPECT_EQ(engine.adaptors().front().getDiscardedDL(), 50'000u);
    tables.addTraffic(2, 1500, 300);
    EXPECT_EQ(tick(), Pair(1500, 300));
}

TEST_F(IPDataTest, AGetterReadTwiceInOneTickGivesZeroTheSecondTime) {
    engine.addAdaptor(kKindInterface, "eth0");
    tick();
    tables.addTraffic(2, 7, 9);
    engine.updateStatistics();
    EXPECT_EQ(engine.getBytesRecieved(), 7u);
    EXPECT_EQ(engine.getBytesRecieved(), 0u);
    EXPECT_EQ(engine.getBytesSent(), 9u);
    EXPECT_EQ(engine.getBytesSent(), 0u);
}

TEST_F(IPDataTest, StopThenContinueDiscardsTheTrafficInBetweenAndRebaselines) {
    engine.addAdaptor(kKindInterface, "eth0");
    tick();
    tables.addTraffic(2, 100, 100);
    engine.stopIt();
    EXPECT_TRUE(engine.adaptors().front().isFirstTime());
    tables.addTraffic(2, 5000, 5000);
    engine.continue_();
    EXPECT_EQ(engine.getBytesRecieved(), 0u);
    EXPECT_EQ(engine.getBytesSent(), 0u);
    tables.addTraffic(2, 40, 2);
    EXPECT_EQ(tick(), Pair(40, 2));
}

TEST_F(IPDataTest, ContinueAfterPauseDiscardsWhatMovedWhilePaused) {
    engine.addAdaptor(kKindInterface, "eth0");
    tick();
    engine.pause();
    tables.addTraffic(2, 999, 999);
    engine.continue_();
    tables.addTraffic(2, 1, 2);
    EXPECT_EQ(tick(), Pair(1, 2));
}

TEST_F(IPDataTest, CountersAreSixtyFourBitWithNoLostTickAtTwoToTheThirtyOne) {
    engine.addAdaptor(kKindInterface, "eth0");
    tables.setCounters(2, 2'147'483'000, 2'147'483'647);
    tick();
    tables.setCounters(2, 2'147'484'000, 2'147'483'648);
    EXPECT_EQ(tick(), Pair(1000, 1));
    // A tick far above 2^31 is reported whole.
    tables.addTraffic(2, 5'000'000'000ull, 3'000'000'000ull);
    EXPECT_EQ(tick(), Pair(5'000'000'000ull, 3'000'000'000ull));
}

TEST_F(IPDataTest, ACounterResetCountsNothingForThatRowOnlyAndCountingResumes) {
    tables.addInterface(3, "eth1");
    tables.addAddress(3, "10.0.0.2");
    tables.setCounters(3, 700, 700);
    engine.addAdaptor(kKindInterface, "eth0");
    engine.addAdaptor(kKindInterface, "eth1");
    tick();
    tables.setCounters(2, 10, 20); // the adapter restarted its counters
    tables.addTraffic(3, 30, 40);
    EXPECT_EQ(tick(), Pair(30, 40));
    tables.addTraffic(2, 5, 6);
    EXPECT_EQ(tick(), Pair(5, 6));
}

TEST_F(IPDataTest, AThirtyTwoBitSourceIsCountedAcrossItsWrap) {
    tables.setCounterBits(32);
    engine.addAdaptor(kKindInterface, "eth0");
    tables.setCounters(2, 4'294'967'000ull, 2'147'483'647ull);
    tick();
    tables.setCounters(2, 4'294'967'296ull + 704, 2'147'483'648ull); // in wraps past 2^32 to 704
    EXPECT_EQ(tick(), Pair(1000, 1));
}

TEST_F(IPDataTest, AThirtyTwoBitCounterThatFallsFurtherThanTheLinkCouldCarryIsAResetNotAWrap) {
    tables.setCounterBits(32);
    tables.row(2).speed = 100'000'000; // 12.5 MB a second at most
    engine.addAdaptor(kKindInterface, "eth0");
    tables.setCounters(2, 3'000'000'000ull, 4'294'000'000ull);
    tick();
    clock.advanceMs(1000);
    // In: restarted at 0 and received 100 kB (as a wrap, 1.3 GB in a second). Out: wrapped after 1.2 MB.
    tables.setCounters(2, 100'000, 4'294'967'296ull + 232'704);
    EXPECT_EQ(tick(), Pair(0, 1'200'000));
    clock.advanceMs(1000);
    tables.addTraffic(2, 50, 60);
    EXPECT_EQ(tick(), Pair(50, 60));
    // Speed unknown: a fall of more than 2^31 can be no wrap either.
    tables.row(2).speed = 0;
    tables.setCounters(2, 1'000'000'000, 0);
    tick();
    clock.advanceMs(60'000);
    tables.setCounters(2, 10, 0);
    EXPECT_EQ(tick(), Pair(0, 0));
}

TEST_F(IPDataTest, AFailedTableReadCountsNothingAndTheNextReadCountsBothIntervals) {
    engine.addAdaptor(kKindSingleIp, "192.168.5.7");
    tick();
    tables.addTraffic(2, 100, 10);
    tables.failInterfaceReads(true);
    EXPECT_EQ(tick(), Pair(0, 0));
    tables.failInterfaceReads(false);
    tables.failAddressReads(true);
    tables.addTraffic(2, 100, 10);
    EXPECT_EQ(tick(), Pair(0, 0));
    tables.failAddressReads(false);
    tables.addTraffic(2, 100, 10);
    EXPECT_EQ(tick(), Pair(300, 30));
}

// Interface names match exactly, letter case included.
TEST_F(IPDataTest, InterfaceEntriesMatchTheNameAndSingleIpAndRangeEntriesTheRowsFirstAddress) {
    tables.addInterface(3, "wlan0");
    tables.addAddress(3, "10.168.5.7");
    tables.addInterface(4, "ppp0", kIfTypePpp); // no address at all
    tables.addInterface(5, "eth2");
    tables.addAddress(5, "192.168.1.5");
    tables.addAddress(5, "172.16.0.1"); // secondary address: never the one matched

    struct Case {
        int kind;
        std::string name;
        std::uint64_t expected; // bytes: row n carries n * 1000
    };
    const Case cases[] = {
        {kKindInterface, "wlan0", 3000},
        {kKindInterface, "ETH0", 0},
        {kKindIpRange, "192.168.*.*", 2000 + 5000},
        {kKindIpRange, "192.168.1.5", 5000},
        {kKindIpRange, "*.168.5.7", 2000 + 3000},
        {kKindIpRange, "192.168.5.?", 2000},
        {kKindIpRange, "192.168.*", 0},
        {kKindIpRange, "192.168.001.5", 0},
        {kKindSingleIp, "192.168.1.5", 5000},
        {kKindSingleIp, "172.16.0.1", 0},
        {kKindIpRange, "172.16.*.*", 0},
        {kKindSingleIp, "", 0},
    };
    for (const Case& c : cases) {
        IPData e(tables);
        e.addAdaptor(c.kind, c.name);
        e.updateStatistics();
        for (std::uint32_t i = 1; i <= 5; ++i) {
            tables.addTraffic(i, i * 1000, 0);
        }
        e.updateStatistics();
        EXPECT_EQ(e.getBytesRecieved(), c.expected) << c.name;
    }
}

TEST_F(IPDataTest, ARowMatchedByTwoEntriesIsCountedOnce) {
    engine.addAdaptor(kKindInterface, "eth0");
    engine.addAdaptor(kKindSingleIp, "192.168.5.7");
    tick();
    tables.addTraffic(2, 100, 50);
    EXPECT_EQ(tick(), Pair(100, 50));
    // The address entry misses a tick while the interface entry counts it: nothing is counted twice afterwards.
    tables.clearAddresses(2);
    tables.addTraffic(2, 10, 10);
    EXPECT_EQ(tick(), Pair(10, 10));
    tables.addAddress(2, "192.168.5.7");
    tables.addTraffic(2, 1, 1);
    EXPECT_EQ(tick(), Pair(1, 1));
}

TEST_F(IPDataTest, AnEntryMatchingTwoRowsCountsEachFromItsOwnBaseline) {
    tables.addInterface(3, "eth1");
    tables.addAddress(3, "192.168.9.9");
    tables.setCounters(3, 9'000'000, 1);
    engine.addAdaptor(kKindIpRange, "192.168.*.*");
    tick();
    tables.addTraffic(2, 100, 1);
    tables.addTraffic(3, 20, 2);
    EXPECT_EQ(tick(), Pair(120, 3));
    EXPECT_EQ(engine.adaptors().front().baselines().size(), 2u);
}

TEST_F(IPDataTest, AConnectionThatComesUpLaterIsCountedFromTheUpdateAfterItIsFirstSeen) {
    engine.addAdaptor(kKindInterface, "ppp0");
    tick();
    EXPECT_TRUE(engine.adaptors().front().isFirstTime());
    tables.addInterface(3, "ppp0", kIfTypePpp);
    tables.setCounters(3, 4000, 3000);
    EXPECT_EQ(tick(), Pair(0, 0));
    tables.addTraffic(3, 10, 20);
    EXPECT_EQ(tick(), Pair(10, 20));
    // It drops and comes back with fresh counters: nothing from the old session is subtracted or re-added.
    tables.removeInterface(3);
    EXPECT_EQ(tick(), Pair(0, 0));
    tables.addInterface(3, "ppp0", kIfTypePpp);
    tables.setCounters(3, 4500, 3100);
    EXPECT_EQ(tick(), Pair(0, 0));
    tables.addTraffic(3, 1, 1);
    EXPECT_EQ(tick(), Pair(1, 1));
}

TEST_F(IPDataTest, AllConnectionsCountsABridgedByteOnceOnTheNicWhateverTheAddresses) {
    tables.clearAddresses(2);
    tables.addAddress(2, "0.0.0.0"); // no lease yet: its traffic still crosses the edge
    tables.row(2).master = 3;
    tables.addInterface(3, "br0").kind = "bridge";
    tables.addAddress(3, "192.168.5.7");
    tables.addInterface(4, "vnet0").kind = "tun";
    tables.row(4).master = 3;
    engine.addAllAdaptors();
    EXPECT_EQ(engine.getAdaptor(), "All connections");
    EXPECT_EQ(tick(), Pair(0, 0));
    // A guest's download enters on eth0, crosses the bridge and leaves on the guest's tap; the loopback moves too.
    for (std::uint32_t i = 1; i <= 4; ++i) {
        tables.addTraffic(i, 514'000, 1000);
    }
    EXPECT_EQ(tick(), Pair(514'000, 1000));
    EXPECT_THAT(engine.countedLinks(), ElementsAre("eth0"));
}

TEST_F(IPDataTest, AllConnectionsFollowsATableThatGrowsAndShrinksWithoutLosingOtherRows) {
    engine.addAllAdaptors();
    tick();
    tables.addInterface(3, "eth1");
    tables.addAddress(3, "10.1.1.1");
    tables.setCounters(3, 9'000'000, 9'000'000); // appears with large counters: baselined, not counted
    tables.addTraffic(2, 100, 10);
    EXPECT_EQ(tick(), Pair(100, 10));
    tables.addTraffic(2, 1, 1);
    tables.addTraffic(3, 5, 5);
    EXPECT_EQ(tick(), Pair(6, 6));
    tables.removeInterface(3); // vanishing subtracts nothing
    tables.addTraffic(2, 7, 7);
    EXPECT_EQ(tick(), Pair(7, 7));
}

TEST_F(IPDataTest, AllConnectionsBaselinesALinkThatStartsBeingCountedAndSkipsOneWhoseCounterFalls) {
    // Inside a namespace only the veth counts, until a plain device arrives: from then on the device alone.
    FakeNetworkTables ns;
    ns.addInterface(1, "lo", kIfTypeLoopback);
    ns.addInterface(2, "veth0").kind = "veth";
    ns.setCounters(2, 70'000, 70'000);
    IPData e(ns, clock);
    e.addAllAdaptors();
    e.updateStatistics();
    ns.addTraffic(2, 3, 3);
    e.updateStatistics();
    EXPECT_EQ(e.getBytesRecieved(), 3u);
    ns.addInterface(3, "eth1");
    ns.setCounters(3, 900'000, 900'000);
    ns.addTraffic(2, 5, 5);
    e.updateStatistics();
    EXPECT_EQ(e.getBytesRecieved(), 0u);
    ns.addTraffic(3, 8, 8);
    e.updateStatistics();
    EXPECT_EQ(e.getBytesRecieved(), 8u);

    engine.addAllAdaptors();
    tables.addInterface(3, "eth1");
    tick();
    tables.addTraffic(3, 8, 8);
    tables.setCounters(2, 0, 0); // eth0 restarts its counters in the same tick
    EXPECT_EQ(tick(), Pair(8, 8));
}

TEST_F(IPDataTest, AllConnectionsAfterStopCountsNothingOnTheFirstUpdate) {
    engine.addAllAdaptors();
    tick();
    tables.addTraffic(2, 10, 10);
    engine.stopIt();
    EXPECT_EQ(tick(), Pair(0, 0));
    tables.addTraffic(2, 10, 10);
    EXPECT_EQ(tick(), Pair(10, 10));
}

TEST_F(IPDataTest, OnlyTheFirstEntrySelectsAllConnections) {
    engine.addAdaptor(kKindInterface, "lo");
    engine.addGenericAdapter();
    tick();
    tables.addTraffic(1, 5, 5);
    tables.addTraffic(2, 100, 100);
    EXPECT_EQ(tick(), Pair(5, 5));
}

TEST_F(IPDataTest, EachUpdateReadsTheInterfaceTableOnceAndTheAddressTableAtMostOnce) {
    engine.addAdaptor(kKindInterface, "eth0");
    tick();
    EXPECT_EQ(tables.interfaceReads, 1);
    EXPECT_EQ(tables.addressReads, 0);
    engine.addAdaptor(kKindSingleIp, "1.2.3.4");
    engine.addAdaptor(kKindIpRange, "1.*.*.*");
    tick();
    EXPECT_EQ(tables.interfaceReads, 2);
    EXPECT_EQ(tables.addressReads, 1);
    engine.addAllAdaptors(); // decided by the links themselves, not by their addresses
    tick();
    EXPECT_EQ(tables.interfaceReads, 3);
    EXPECT_EQ(tables.addressReads, 1);
}

TEST_F(IPDataTest, GetAdaptorDescribesTheList) {
    EXPECT_EQ(engine.getAdaptor(), "No connections are monitored.");
    engine.addAdaptor(kKindInterface, "eth0");
    EXPECT_EQ(engine.getAdaptor(), "eth0");
    engine.clearAdaptors();
    engine.addAdaptor(kKindSingleIp, "10.0.0.1");
    EXPECT_EQ(engine.getAdaptor(), "10.0.0.1");
    engine.clearAdaptors();
    engine.addAdaptor(kKindIpRange, "10.0.*.*");
    EXPECT_EQ(engine.getAdaptor(), "IP Range: 10.0.*.*");
    engine.clearAdaptors();
    engine.addAdaptor(7, "odd");
    EXPECT_EQ(engine.getAdaptor(), "");
    engine.addAdaptor(kKindInterface, "eth0");
    EXPECT_EQ(engine.getAdaptor(), "Multiple connections");
}

TEST_F(IPDataTest, GetListGivesAddressesOrDescriptionsInTableOrder) {
    tables.addInterface(3, "tun0");
    EXPECT_THAT(engine.getList(IPData::kListAddresses), ElementsAre("127.0.0.1", "192.168.5.7", ""));
    EXPECT_THAT(engine.getList(IPData::kListDescriptions), ElementsAre("lo", "eth0", "tun0"));
    tables.failAddressReads(true);
    EXPECT_THAT(engine.getList(IPData::kListAddresses), ElementsAre("", "", ""));
    tables.failInterfaceReads(true);
    EXPECT_TRUE(engine.getList(IPData::kListDescriptions).empty());
}

// Over a source that follows the system's link events, so that it tells the lives of a link apart.
class IPDataLinkLivesTest : public testing::Test {
protected:
    using Pair = std::pair<std::uint64_t, std::uint64_t>;

    IPDataLinkLivesTest() {
        tables.tellLives(true);
        tables.addInterface(1, "lo", kIfTypeLoopback);
        tables.addInterface(2, "eth0");
        tables.addAddress(2, "192.168.5.7");
        tables.setCounters(2, 475'000'000, 20'000'000);
        byName.addAdaptor(kKindInterface, "eth0");
        byName.addAdaptor(kKindSingleIp, "192.168.5.7"); // the same row: still counted once
        everything.addAllAdaptors();
        update();
    }

    // One pass of both engines: what each counted.
    std::pair<Pair, Pair> update() {
        Pair counted[2];
        IPData* engines[2] = {&byName, &everything};
        for (int i = 0; i < 2; ++i) {
            engines[i]->updateStatistics();
            counted[i].first = engines[i]->getBytesRecieved();
            counted[i].second = engines[i]->getBytesSent();
        }
        return {counted[0], counted[1]};
    }
    std::pair<Pair, Pair> both(std::uint64_t in, std::uint64_t out) { return {Pair(in, out), Pair(in, out)}; }

    FakeNetworkTables tables;
    FakeClock clock;
    IPData byName{tables, clock};
    IPData everything{tables, clock};
};

TEST_F(IPDataLinkLivesTest, ALinkRecreatedWithTheSameIndexCountsItsOldLifesLastBytesAndItsNewLifeFromZero) {
    tables.addTraffic(2, 1000, 100);
    tables.recreateInterface(2);
    tables.addTraffic(2, 300, 30);
    EXPECT_EQ(update(), both(1300, 130));
    tables.addTraffic(2, 5, 5);
    EXPECT_EQ(update(), both(5, 5));
    // When the system kept no last counters, only the old life's last bytes are missing.
    tables.addTraffic(2, 1000, 100);
    tables.recreateInterface(2, false);
    tables.addTraffic(2, 7, 7);
    EXPECT_EQ(update(), both(7, 7));
}

TEST_F(IPDataLinkLivesTest, ALinkThatAppearsOrGoesBetweenTwoPassesIsCountedForTheTimeItWasThere) {
    tables.addInterface(3, "usb0");
    tables.addAddress(3, "192.168.5.8");
    tables.setCounters(3, 5000, 600); // came up since the last pass: all its bytes are new
    tables.addTraffic(2, 1, 1);
    EXPECT_EQ(update(), std::make_pair(Pair(1, 1), Pair(5001, 601)));
    tables.addTraffic(3, 40, 4);
    tables.removeInterface(3);
    tables.addTraffic(2, 1, 1);
    EXPECT_EQ(update(), std::make_pair(Pair(1, 1), Pair(41, 5)));
    tables.addTraffic(2, 70, 7);
    tables.removeInterface(2);
    EXPECT_EQ(update(), both(70, 7));
}

TEST_F(IPDataLinkLivesTest, NewEntriesAndAStoppedEngineCountNoLinkFromBeforeTheirFirstPass) {
    IPData late(tables, clock);
    tables.addInterface(3, "usb0").inOctets = 5000;
    late.addAllAdaptors();
    late.updateStatistics();
    EXPECT_EQ(late.getBytesRecieved(), 0u);
    everything.stopIt();
    tables.recreateInterface(2);
    tables.addTraffic(2, 300, 30);
    everything.updateStatistics();
    EXPECT_EQ(everything.getBytesRecieved(), 0u);
    tables.addTraffic(2, 1, 1);
    everything.updateStatistics();
    EXPECT_EQ(everything.getBytesRecieved(), 1u);
}

TEST(IPDataWithoutTables, StaysInertAfterTellingTheUser) {
    twtest::CapturingMessageSink sink;
    FakeNetworkTables tables;
    tables.setAvailable(false);
    tables.addInterface(1, "eth0");
    IPData engine(tables);
    EXPECT_TRUE(engine.isInert());
    EXPECT_THAT(sink.messages, ElementsAre("Not supported by this system.\n"
                                           "Minimum requirement: Windows 98 or Windows NT4 with SP4."));
    engine.addAllAdaptors();
    engine.updateStatistics();
    tables.addTraffic(1, 100, 100);
    engine.updateStatistics();
    EXPECT_EQ(engine.getBytesRecieved(), 0u);
    EXPECT_EQ(engine.getBytesSent(), 0u);
    EXPECT_TRUE(engine.getList(IPData::kListDescriptions).empty());
    EXPECT_EQ(tables.interfaceReads, 0);
}

} // namespace

TEST_F(IPDataTest, TheMonitoredLinksAreTheListedInterfacesTheAddressHoldersOrTheCountedEdge) {
    tables.addInterface(3, "wlan0", kIfTypeIeee80211);
    tables.addAddress(3, "10.0.0.9");
    tables.addInterface(4, "br0").kind = "bridge";
    EXPECT_TRUE(engine.monitoredLinks().empty()) << "nothing monitored";

    engine.addAdaptor(kKindInterface, "wlan0");
    engine.addAdaptor(kKindSingleIp, "192.168.5.7");
    engine.addAdaptor(kKindInterface, "gone0");
    EXPECT_EQ(engine.monitoredLinks(), (std::vector<std::string>{"eth0", "wlan0"})) << "in table order";
    tables.failAddressReads(true);
    EXPECT_EQ(engine.monitoredLinks(), std::vector<std::string>{"wlan0"}) << "addresses unknown: the named ones";

    engine.addAllAdaptors();
    EXPECT_EQ(engine.monitoredLinks(), (std::vector<std::string>{"eth0", "wlan0"})) << "the edge, not lo or br0";
    tables.failInterfaceReads(true);
    EXPECT_TRUE(engine.monitoredLinks().empty());
}
