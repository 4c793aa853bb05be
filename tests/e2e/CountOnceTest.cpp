// "All connections" against the kernel's own counters in network namespaces: a byte that passes a bridge and its
// port, a link and the link stacked on it, or a tunnel and the link carrying it is counted once. A namespace has
// no plain device, so these run the rule's fallback; the kinds this kernel lacks are skipped.
#include "e2e/NetNamespace.h"

#include "measure/IPData.h"
#include "platform/NetworkTables.h"

#include <gmock/gmock.h>

#include <arpa/inet.h>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <linux/if.h>
#include <linux/if_tun.h>
#include <map>
#include <poll.h>
#include <sys/ioctl.h>
#include <thread>
#include <unistd.h>

using namespace tw;
using testing::ElementsAre;
using twtest::LinkBytes;
using twtest::NetNamespace;

namespace {

constexpr std::uint16_t kPort = 40124;

struct Measured {
    LinkBytes engine;
    std::map<std::string, LinkBytes> kernel;
    std::vector<std::string> counted;
    std::string failure;
};

// One engine monitoring all connections inside `ns`: a pass, the traffic, a pass. What it counted, the kernel's
// counter deltas of `links` over the same time, and the links it counted. `traffic` runs inside the namespace and
// returns why it failed, or nothing.
Measured measureAllConnections(const NetNamespace& ns, const std::vector<std::string>& links,
                               const std::function<std::string()>& traffic) {
    Measured m;
    std::thread inside([&] {
        if (!twtest::enterNamespace(ns)) {
            m.failure = "cannot enter the namespace";
            return;
        }
        const auto tables = makeSystemNetworkTables();
        IPData engine(*tables);
        engine.addAllAdaptors();
        std::this_thread::sleep_for(std::chrono::milliseconds(300)); // the links settle before the baselines
        engine.updateStatistics();
        std::map<std::string, LinkBytes> before;
        for (const std::string& link : links) {
            if (!twtest::procCounters(link, before[link])) {
                m.failure = link + " missing from /proc/net/dev";
                return;
            }
        }
        m.failure = traffic();
        if (!m.failure.empty()) {
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        engine.updateStatistics();
        m.engine.received = engine.getBytesRecieved();
        m.engine.sent = engine.getBytesSent();
        for (const std::string& link : links) {
            LinkBytes after;
            twtest::procCounters(link, after);
            m.kernel[link] = after - before[link];
        }
        m.counted = engine.countedLinks();
    });
    inside.join();
    return m;
}

// Datagrams both ways between two bound sockets.
std::string exchange(int a, const std::string& addressA, int b, const std::string& addressB) {
    if (!twtest::sendDatagrams(a, addressB, kPort, 30, 700) || !twtest::sendDatagrams(b, addressA, kPort, 20, 500)) {
        return "sending failed";
    }
    return {};
}

void permanentNeighbour(const NetNamespace& ns, const std::string& device, const std::string& address,
                        const std::string& mac) {
    ns.exec("ip neigh replace " + address + " lladdr " + mac + " dev " + device + " nud permanent");
}

class CountOnce : public testing::TestWithParam<const char*> {
protected:
    void SetUp() override {
        std::string why;
        if (!twtest::netNamespacesUsable(&why)) {
            GTEST_SKIP() << why;
        }
    }
};

// A master (bridge or bond) with a veth port, the address on the master: traffic to it passes the port and the
// master, and the master alone is counted.
class CountOnceMaster : public CountOnce {};

TEST_P(CountOnceMaster, TrafficToTheMastersAddressThroughItsPortIsCountedOnce) {
    const std::string kind = GetParam();
    NetNamespace host("twcoh");
    NetNamespace guest("twcog");
    if (!host.exec("ip link add m0 type " + kind)) {
        GTEST_SKIP() << "this kernel has no " << kind << " links (its module is missing)";
    }
    host.exec("ip link add p1 type veth peer name g1 netns " + guest.name());
    ASSERT_TRUE(host.exec("ip link set p1 master m0"));
    host.exec("ip addr add 10.214.1.1/24 dev m0");
    host.exec("ip link set p1 up");
    host.exec("ip link set m0 up");
    guest.exec("ip addr add 10.214.1.2/24 dev g1");
    guest.exec("ip link set g1 up");
    permanentNeighbour(host, "m0", "10.214.1.2", twtest::macOf(guest, "g1"));
    permanentNeighbour(guest, "g1", "10.214.1.1", twtest::macOf(host, "m0"));
    const int h = twtest::udpSocketIn(host, "10.214.1.1", kPort);
    const int g = twtest::udpSocketIn(guest, "10.214.1.2", kPort);
    ASSERT_GE(h, 0);
    ASSERT_GE(g, 0);

    const Measured m =
        measureAllConnections(host, {"m0", "p1"}, [&] { return exchange(h, "10.214.1.1", g, "10.214.1.2"); });
    ::close(h);
    ::close(g);
    ASSERT_TRUE(m.failure.empty()) << m.failure;
    EXPECT_THAT(m.counted, ElementsAre("m0"));
    EXPECT_EQ(m.engine, m.kernel.at("m0"));
    // The port carried the same frames (the master may count them without their Ethernet header): not twice.
    EXPECT_GE(m.engine.received, 20u * 500);
    EXPECT_GE(m.engine.sent, 30u * 700);
    EXPECT_LE(m.kernel.at("p1").received - m.engine.received, 20u * 14);
    EXPECT_LE(m.kernel.at("p1").sent - m.engine.sent, 30u * 14);
}

INSTANTIATE_TEST_SUITE_P(Kinds, CountOnceMaster, testing::Values("bridge", "bond"));

struct Stacked {
    const char* kind;
    const char* create;     // makes up0 on v0
    const char* peerCreate; // makes pv on v0p where the peer only understands the frames through the same kind
};

// A link stacked on a veth (macvlan, ipvlan, VLAN), the address on the upper link: its traffic passes both, and
// the veth alone is counted.
class CountOnceStacked : public testing::TestWithParam<Stacked> {};

TEST_P(CountOnceStacked, TrafficThroughALinkStackedOnTheVethIsCountedOnce) {
    std::string why;
    if (!twtest::netNamespacesUsable(&why)) {
        GTEST_SKIP() << why;
    }
    const Stacked s = GetParam();
    NetNamespace local("twcos");
    NetNamespace peer("twcosp");
    local.exec("ip link add v0 type veth peer name v0p netns " + peer.name());
    if (!local.exec(s.create)) {
        GTEST_SKIP() << "this kernel has no " << s.kind << " links (its module is missing)";
    }
    const std::string peerDevice = s.peerCreate ? "pv" : "v0p";
    if (s.peerCreate) {
        ASSERT_TRUE(peer.exec(s.peerCreate));
    }
    local.exec("ip addr add 10.216.1.1/24 dev up0");
    peer.exec("ip addr add 10.216.1.2/24 dev " + peerDevice);
    local.exec("ip link set v0 up");
    local.exec("ip link set up0 up");
    peer.exec("ip link set v0p up");
    peer.exec("ip link set " + peerDevice + " up");
    permanentNeighbour(local, "up0", "10.216.1.2", twtest::macOf(peer, peerDevice));
    permanentNeighbour(peer, peerDevice, "10.216.1.1", twtest::macOf(local, "up0"));
    const int l = twtest::udpSocketIn(local, "10.216.1.1", kPort);
    const int p = twtest::udpSocketIn(peer, "10.216.1.2", kPort);
    ASSERT_GE(l, 0);
    ASSERT_GE(p, 0);

    const Measured m =
        measureAllConnections(local, {"v0", "up0"}, [&] { return exchange(l, "10.216.1.1", p, "10.216.1.2"); });
    ::close(l);
    ::close(p);
    ASSERT_TRUE(m.failure.empty()) << m.failure;
    EXPECT_THAT(m.counted, ElementsAre("v0"));
    EXPECT_EQ(m.engine, m.kernel.at("v0"));
    EXPECT_GE(m.kernel.at("up0").sent, 30u * 700) << "the traffic went through the stacked link";
    EXPECT_GE(m.kernel.at("up0").received, 20u * 500);
}

INSTANTIATE_TEST_SUITE_P(Kinds, CountOnceStacked,
                         testing::Values(Stacked{"macvlan", "ip link add up0 link v0 type macvlan mode bridge",
                                                 nullptr},
                                         Stacked{"ipvlan", "ip link add up0 link v0 type ipvlan mode l2", nullptr},
                                         Stacked{"vlan", "ip link add link v0 name up0 type vlan id 10",
                                                 "ip link add link v0p name pv type vlan id 10"}),
                         [](const auto& info) { return std::string(info.param.kind); });

// Waits up to a second for the descriptor to become readable.
bool readable(int fd) {
    pollfd p{fd, POLLIN, 0};
    return ::poll(&p, 1, 1000) == 1;
}

// Swaps the source and destination of an IPv4 packet; its checksums stay right.
void reverse(std::vector<char>& packet) {
    char source[4];
    std::memcpy(source, packet.data() + 12, 4);
    std::memcpy(packet.data() + 12, packet.data() + 16, 4);
    std::memcpy(packet.data() + 16, source, 4);
}

// The test is the VPN program: it reads what the system sends into a tun device and sends it on, wrapped in UDP,
// over the veth; the peer sends it back reversed, and the test unwraps it into the tunnel. The bytes pass the
// tunnel and the veth; the veth alone is counted.
TEST(CountOnceTunnel, AVpnsBytesAreCountedOnceOnTheLinkThatCarriesTheTunnel) {
    std::string why;
    if (!twtest::netNamespacesUsable(&why)) {
        GTEST_SKIP() << why;
    }
    constexpr std::uint16_t kCarrierPort = 40125;
    NetNamespace local("twcot");
    NetNamespace peer("twcotp");
    twtest::connectVeth(local, "v0", "10.215.1.1", peer, "v0p", "10.215.1.2");
    int tun = -1;
    std::string tunError;
    std::thread([&] { // the device is made in the namespace of the thread that asks for it
        if (!twtest::enterNamespace(local)) {
            return;
        }
        tun = ::open("/dev/net/tun", O_RDWR | O_CLOEXEC);
        ifreq request{};
        request.ifr_flags = IFF_TUN | IFF_NO_PI;
        std::strncpy(request.ifr_name, "tun0", IFNAMSIZ - 1);
        if (tun >= 0 && ::ioctl(tun, TUNSETIFF, &request) != 0) {
            ::close(tun);
            tun = -1;
        }
        tunError = std::strerror(errno);
    })
        .join();
    if (tun < 0) {
        GTEST_SKIP() << "cannot make a tun device: " << tunError;
    }
    local.exec("ip addr add 10.215.9.1/24 dev tun0");
    local.exec("ip link set tun0 up");
    const int app = twtest::udpSocketIn(local, "10.215.9.1", kPort);
    const int carrierLocal = twtest::udpSocketIn(local, "10.215.1.1", kCarrierPort);
    const int carrierPeer = twtest::udpSocketIn(peer, "10.215.1.2", kCarrierPort);
    ASSERT_GE(app, 0);
    ASSERT_GE(carrierLocal, 0);
    ASSERT_GE(carrierPeer, 0);

    const auto wrap = [&](int fd, const char* address, const std::vector<char>& packet) {
        sockaddr_in to{};
        to.sin_family = AF_INET;
        to.sin_port = htons(kCarrierPort);
        ::inet_pton(AF_INET, address, &to.sin_addr);
        ::sendto(fd, packet.data(), packet.size(), 0, reinterpret_cast<const sockaddr*>(&to), sizeof(to));
    };
    constexpr int kPackets = 25;
    const Measured m = measureAllConnections(local, {"v0", "tun0"}, [&]() -> std::string {
        if (!twtest::sendDatagrams(app, "10.215.9.2", kPort, kPackets, 600)) {
            return "sending into the tunnel failed";
        }
        std::vector<char> packet(2048);
        for (int i = 0; i < kPackets; ++i) {
            packet.resize(2048);
            if (!readable(tun)) {
                return "the tunnel gave no packet";
            }
            packet.resize(static_cast<std::size_t>(std::max<ssize_t>(0, ::read(tun, packet.data(), packet.size()))));
            if (packet.size() < 20) {
                return "the tunnel gave a short packet";
            }
            wrap(carrierLocal, "10.215.1.2", packet);
            if (!readable(carrierPeer) || ::recv(carrierPeer, packet.data(), packet.size(), 0) <= 0) {
                return "the peer got nothing";
            }
            reverse(packet);
            wrap(carrierPeer, "10.215.1.1", packet);
            if (!readable(carrierLocal) || ::recv(carrierLocal, packet.data(), packet.size(), 0) <= 0 ||
                ::write(tun, packet.data(), packet.size()) != static_cast<ssize_t>(packet.size())) {
                return "the way back failed";
            }
        }
        return {};
    });
    for (const int fd : {tun, app, carrierLocal, carrierPeer}) {
        ::close(fd);
    }
    ASSERT_TRUE(m.failure.empty()) << m.failure;
    EXPECT_THAT(m.counted, ElementsAre("v0"));
    EXPECT_EQ(m.engine, m.kernel.at("v0"));
    // Each way: 600 bytes and the IPv4 and UDP headers in the tunnel, wrapped in 42 more bytes on the veth.
    EXPECT_EQ(m.kernel.at("tun0"), (LinkBytes{kPackets * 628u, kPackets * 628u}));
    EXPECT_EQ(m.engine, (LinkBytes{kPackets * 670u, kPackets * 670u}));
}

} // namespace
