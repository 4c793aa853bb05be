#include "e2e/NetNamespace.h"

#include "config/MonitoredConnection.h"
#include "measure/IPData.h"
#include "platform/NetworkTables.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>
#include <unistd.h>

using namespace tw;

namespace {

constexpr std::uint16_t kPort = 40123;

struct Totals {
    std::uint64_t received = 0;
    std::uint64_t sent = 0;
};

TEST(MeasureVeth, EngineTotalsEqualTheKernelCountersOfTheMonitoredVeth) {
    std::string why;
    if (!twtest::netNamespacesUsable(&why)) {
        GTEST_SKIP() << why;
    }
    twtest::NetNamespace local("twmeas");
    twtest::NetNamespace peer("twmpeer");
    twtest::connectVeth(local, "twm0", "10.213.7.1", peer, "twm1", "10.213.7.2");

    std::string failure;
    Totals perEntry;
    Totals allConnections;
    Totals kernel;
    // setns() moves only the calling thread: the engines, their netlink sockets and the counter reads all live on
    // a thread inside the local namespace; the sockets keep the namespace they were made in.
    const int peerSocket = twtest::udpSocketIn(peer, "10.213.7.2", kPort);
    const int localSocket = twtest::udpSocketIn(local, "10.213.7.1", kPort);
    std::thread worker([&] {
        if (!twtest::enterNamespace(local)) {
            failure = "cannot enter the local namespace";
            return;
        }
        if (peerSocket < 0 || localSocket < 0) {
            failure = "cannot bind the UDP sockets";
            return;
        }
        auto tables = makeSystemNetworkTables();
        IPData byInterface(*tables);
        byInterface.addAdaptor(kKindInterface, "twm0");
        IPData everything(*tables);
        everything.addAllAdaptors();
        auto tick = [&] {
            byInterface.updateStatistics();
            perEntry.received += byInterface.getBytesRecieved();
            perEntry.sent += byInterface.getBytesSent();
            everything.updateStatistics();
            allConnections.received += everything.getBytesRecieved();
            allConnections.sent += everything.getBytesSent();
        };

        std::this_thread::sleep_for(std::chrono::milliseconds(300)); // the link settles before the baselines
        tick();
        twtest::LinkBytes before;
        if (!twtest::procCounters("twm0", before)) {
            failure = "twm0 missing from /proc/net/dev";
            return;
        }
        perEntry = allConnections = Totals{};
        const struct {
            int fromLocal;
            int fromPeer;
            std::size_t size;
        } rounds[] = {{50, 30, 700}, {0, 120, 1400}, {200, 0, 64}, {7, 9, 1}};
        for (const auto& round : rounds) {
            if (!twtest::sendDatagrams(localSocket, "10.213.7.2", kPort, round.fromLocal, round.size) ||
                !twtest::sendDatagrams(peerSocket, "10.213.7.1", kPort, round.fromPeer, round.size)) {
                failure = "sending failed";
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            tick();
        }
        twtest::LinkBytes after;
        twtest::procCounters("twm0", after);
        kernel = Totals{after.received - before.received, after.sent - before.sent};
        // A container's only link is a veth: "All connections" falls back to it.
        if (everything.countedLinks() != std::vector<std::string>{"twm0"}) {
            failure = "all connections does not count the veth alone";
        }
    });
    worker.join();
    ::close(peerSocket);
    ::close(localSocket);
    ASSERT_TRUE(failure.empty()) << failure;

    // Every datagram carries Ethernet, IPv4 and UDP headers (42 bytes) on the veth.
    EXPECT_EQ(kernel.received, 30u * 742 + 120u * 1442 + 9u * 43);
    EXPECT_EQ(kernel.sent, 50u * 742 + 200u * 106 + 7u * 43);
    EXPECT_EQ(perEntry.received, kernel.received);
    EXPECT_EQ(perEntry.sent, kernel.sent);
    EXPECT_EQ(allConnections.received, kernel.received);
    EXPECT_EQ(allConnections.sent, kernel.sent);
}

} // namespace
