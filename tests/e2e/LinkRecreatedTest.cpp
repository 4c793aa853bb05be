// A link deleted and created again with the same index between two passes: its old life's last bytes and its new
// life's bytes are counted, each once, as the kernel counted them. The link is a bridge: a veth's delete message
// lacks its received bytes (the kernel reads them from the peer, which is gone by then).
#include "e2e/NetNamespace.h"

#include "config/MonitoredConnection.h"
#include "measure/IPData.h"
#include "platform/NetworkTables.h"

#include <gtest/gtest.h>

#include <chrono>
#include <net/if.h>
#include <thread>
#include <unistd.h>

using namespace tw;
using twtest::LinkBytes;
using twtest::NetNamespace;

namespace {

constexpr std::uint16_t kPort = 40126;

// br0 with a fixed index and an address in `local`, its port p1 a veth to g1 in `peer`, with static neighbours.
void makeBridge(const NetNamespace& local, const NetNamespace& peer) {
    local.exec("ip link add br0 index 4242 type bridge");
    local.exec("ip link set p1 master br0");
    local.exec("ip addr add 10.217.1.1/24 dev br0");
    local.exec("ip link set br0 up");
    local.exec("ip neigh replace 10.217.1.2 lladdr " + twtest::macOf(peer, "g1") + " dev br0 nud permanent");
    peer.exec("ip neigh replace 10.217.1.1 lladdr " + twtest::macOf(local, "br0") + " dev g1 nud permanent");
}

TEST(LinkRecreated, WithTheSameIndexWithinOnePassItsOldLifesLastBytesAndItsNewLifeAreCountedOnce) {
    std::string why;
    if (!twtest::netNamespacesUsable(&why)) {
        GTEST_SKIP() << why;
    }
    NetNamespace local("twlr");
    NetNamespace peer("twlrp");
    local.exec("ip link add p1 type veth peer name g1 netns " + peer.name());
    local.exec("ip link set p1 up");
    peer.exec("ip addr add 10.217.1.2/24 dev g1");
    peer.exec("ip link set g1 up");
    makeBridge(local, peer);
    // Bound to the addresses, the sockets outlive the link and serve its next life too.
    const int l = twtest::udpSocketIn(local, "10.217.1.1", kPort);
    const int p = twtest::udpSocketIn(peer, "10.217.1.2", kPort);
    ASSERT_GE(l, 0);
    ASSERT_GE(p, 0);

    std::string failure;
    LinkBytes byName;
    LinkBytes all;
    LinkBytes oldLife;
    LinkBytes newLife;
    unsigned indexBefore = 0;
    unsigned indexAfter = 0;
    std::thread inside([&] {
        if (!twtest::enterNamespace(local)) {
            failure = "cannot enter the namespace";
            return;
        }
        const auto tables = makeSystemNetworkTables();
        IPData named(*tables);
        named.addAdaptor(kKindInterface, "br0");
        IPData everything(*tables);
        everything.addAllAdaptors();
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        named.updateStatistics();
        everything.updateStatistics();
        LinkBytes start;
        twtest::procCounters("br0", start);
        indexBefore = ::if_nametoindex("br0");

        // The old life moves more than the new one will: counted from the old baseline, the new life would be lost.
        if (!twtest::sendDatagrams(l, "10.217.1.2", kPort, 400, 1400) ||
            !twtest::sendDatagrams(p, "10.217.1.1", kPort, 300, 1400)) {
            failure = "sending in the old life failed";
            return;
        }
        // Down, the link sends nothing more (a going-down link may still say goodbye): its last counters are known.
        local.exec("ip link set br0 down");
        LinkBytes end;
        twtest::procCounters("br0", end);
        oldLife = end - start;
        local.exec("ip link del br0");
        makeBridge(local, peer);
        indexAfter = ::if_nametoindex("br0");
        if (!twtest::sendDatagrams(l, "10.217.1.2", kPort, 30, 500) ||
            !twtest::sendDatagrams(p, "10.217.1.1", kPort, 20, 500)) {
            failure = "sending in the new life failed";
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        named.updateStatistics();
        everything.updateStatistics();
        twtest::procCounters("br0", newLife);
        byName = LinkBytes{named.getBytesRecieved(), named.getBytesSent()};
        all = LinkBytes{everything.getBytesRecieved(), everything.getBytesSent()};
    });
    inside.join();
    ::close(l);
    ::close(p);
    ASSERT_TRUE(failure.empty()) << failure;
    ASSERT_EQ(indexBefore, 4242u);
    ASSERT_EQ(indexAfter, 4242u);
    EXPECT_GE(oldLife.received, 300u * 1428);
    EXPECT_GE(oldLife.sent, 400u * 1428);
    EXPECT_LT(newLife.received, oldLife.received);
    EXPECT_LT(newLife.sent, oldLife.sent);
    EXPECT_EQ(byName, oldLife + newLife);
    EXPECT_EQ(all, oldLife + newLife);
}

} // namespace
