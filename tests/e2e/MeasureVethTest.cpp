#include "e2e/NetNamespace.h"

#include "config/MonitoredConnection.h"
#include "measure/IPData.h"
#include "platform/NetworkTables.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <netinet/in.h>
#include <sched.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

using namespace tw;

namespace {

constexpr std::uint16_t kPort = 40123;

bool enterNamespace(const twtest::NetNamespace& ns) {
    const int fd = ::open(("/run/netns/" + ns.name()).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    const bool ok = ::setns(fd, CLONE_NEWNET) == 0;
    ::close(fd);
    return ok;
}

// A UDP socket bound to the address, in the calling thread's namespace.
int boundUdp(const char* address) {
    const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(kPort);
    ::inet_pton(AF_INET, address, &a.sin_addr);
    if (fd >= 0 && ::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof(a)) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

bool sendDatagrams(int fd, const char* to, int count, std::size_t size) {
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(kPort);
    ::inet_pton(AF_INET, to, &a.sin_addr);
    std::vector<char> payload(size, 'm');
    for (int i = 0; i < count; ++i) {
        if (::sendto(fd, payload.data(), size, 0, reinterpret_cast<sockaddr*>(&a), sizeof(a)) !=
            static_cast<ssize_t>(size)) {
            return false;
        }
    }
    return true;
}

// The kernel's byte counters of an interface of the calling thread's namespace, read apart from netlink.
bool procCounters(const char* interface, std::uint64_t& rx, std::uint64_t& tx) {
    FILE* f = std::fopen("/proc/thread-self/net/dev", "r");
    if (!f) {
        return false;
    }
    char line[512];
    bool found = false;
    const std::size_t nameLength = std::strlen(interface);
    while (std::fgets(line, sizeof(line), f)) {
        const char* p = line;
        while (*p == ' ') {
            ++p;
        }
        if (std::strncmp(p, interface, nameLength) == 0 && p[nameLength] == ':') {
            unsigned long long r = 0;
            unsigned long long t = 0;
            unsigned long long skip = 0;
            found = std::sscanf(p + nameLength + 1, "%llu %llu %llu %llu %llu %llu %llu %llu %llu", &r, &skip, &skip,
                                &skip, &skip, &skip, &skip, &skip, &t) == 9;
            rx = r;
            tx = t;
        }
    }
    std::fclose(f);
    return found;
}

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
    // a thread inside the local namespace; the peer's sockets are made there first and keep their namespace.
    std::thread worker([&] {
        if (!enterNamespace(peer)) {
            failure = "cannot enter the peer namespace";
            return;
        }
        const int peerSocket = boundUdp("10.213.7.2");
        if (!enterNamespace(local)) {
            failure = "cannot enter the local namespace";
            return;
        }
        const int localSocket = boundUdp("10.213.7.1");
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
        std::uint64_t rx0 = 0;
        std::uint64_t tx0 = 0;
        if (!procCounters("twm0", rx0, tx0)) {
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
            if (!sendDatagrams(localSocket, "10.213.7.2", round.fromLocal, round.size) ||
                !sendDatagrams(peerSocket, "10.213.7.1", round.fromPeer, round.size)) {
                failure = "sending failed";
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            tick();
        }
        std::uint64_t rx1 = 0;
        std::uint64_t tx1 = 0;
        procCounters("twm0", rx1, tx1);
        kernel = Totals{rx1 - rx0, tx1 - tx0};
        ::close(peerSocket);
        ::close(localSocket);
    });
    worker.join();
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
