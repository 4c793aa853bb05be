#include "platform/NetworkTables.h"

#include <arpa/inet.h>
#include <cstdlib>
#include <cstring>
#include <gmock/gmock.h>
#include <net/if.h>
#include <netinet/in.h>
#include <sched.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

using namespace tw;

namespace {

const InterfaceRow* findRow(const std::vector<InterfaceRow>& rows, const std::string& name) {
    for (const InterfaceRow& r : rows) {
        if (r.description == name) {
            return &r;
        }
    }
    return nullptr;
}

// Sends datagrams of `size` bytes to a socket of ours on 127.0.0.1 and reads them back.
void loopUdp(int count, std::size_t size) {
    const int rx = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    const int tx = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof(addr);
    ASSERT_EQ(::bind(rx, reinterpret_cast<sockaddr*>(&addr), sizeof(addr)), 0);
    ASSERT_EQ(::getsockname(rx, reinterpret_cast<sockaddr*>(&addr), &len), 0);
    std::vector<char> buf(size, 'x');
    for (int i = 0; i < count; ++i) {
        ASSERT_EQ(::sendto(tx, buf.data(), buf.size(), 0, reinterpret_cast<sockaddr*>(&addr), sizeof(addr)),
                  static_cast<ssize_t>(size));
        ASSERT_EQ(::recv(rx, buf.data(), buf.size(), 0), static_cast<ssize_t>(size));
    }
    ::close(rx);
    ::close(tx);
}

TEST(NetlinkNetworkTables, ReadsTheLoopbackRowWithItsPropertiesAddressAndMovingCountersIntoTheSameRows) {
    auto tables = makeSystemNetworkTables();
    ASSERT_TRUE(tables->available());
    EXPECT_EQ(tables->counterBits(), 64);
    std::vector<InterfaceRow> rows;
    ASSERT_TRUE(tables->readInterfaces(rows));
    const InterfaceRow* lo = findRow(rows, "lo");
    ASSERT_NE(lo, nullptr);
    EXPECT_EQ(lo->type, kIfTypeLoopback);
    EXPECT_GT(lo->index, 0u);
    EXPECT_GT(lo->mtu, 0u);
    EXPECT_TRUE(lo->physicalAddress.empty());
    EXPECT_EQ(lo->adminStatus, kAdminStatusUp);
    EXPECT_EQ(lo->operStatus, kOperStatusOperational);
    EXPECT_TRUE(std::is_sorted(rows.begin(), rows.end(),
                               [](const InterfaceRow& a, const InterfaceRow& b) { return a.index < b.index; }));

    const std::uint64_t inBefore = lo->inOctets;
    const std::uint64_t outBefore = lo->outOctets;
    const std::uint64_t packetsBefore = lo->inUcastPkts + lo->inNUcastPkts;
    loopUdp(20, 1000);
    ASSERT_TRUE(tables->readInterfaces(rows));
    lo = findRow(rows, "lo");
    ASSERT_NE(lo, nullptr);
    // Each datagram adds its payload and the IPv4 and UDP headers (other programs may use the loopback too).
    EXPECT_GE(lo->inOctets - inBefore, 20u * 1028);
    EXPECT_GE(lo->outOctets - outBefore, 20u * 1028);
    EXPECT_GE(lo->inUcastPkts + lo->inNUcastPkts - packetsBefore, 20u);

    // A table that keeps its size is read into the caller's rows again.
    const InterfaceRow* data = rows.data();
    const std::size_t capacity = rows.capacity();
    for (int i = 0; i < 50; ++i) {
        ASSERT_TRUE(tables->readInterfaces(rows));
    }
    EXPECT_EQ(rows.data(), data);
    EXPECT_EQ(rows.capacity(), capacity);

    lo = findRow(rows, "lo");
    ASSERT_NE(lo, nullptr);
    std::vector<AddressRow> addresses;
    ASSERT_TRUE(tables->readAddresses(addresses));
    bool found = false;
    for (const AddressRow& a : addresses) {
        if (a.address == htonl(INADDR_LOOPBACK)) {
            found = true;
            EXPECT_EQ(a.ifIndex, lo->index);
            EXPECT_EQ(a.mask, htonl(0xFF000000u));
        }
    }
    EXPECT_TRUE(found);
}

TEST(NetlinkNetworkTables, StampsTheMomentTheOperationalStatusChanges) {
    // A thread of its own in a fresh network namespace, whose loopback starts down.
    std::string skip;
    std::vector<InterfaceRow> before;
    std::vector<InterfaceRow> after;
    std::vector<InterfaceRow> openedLater;
    std::thread worker([&] {
        if (::unshare(CLONE_NEWNET) != 0) {
            skip = std::string("cannot create a network namespace: ") + std::strerror(errno);
            return;
        }
        auto tables = makeSystemNetworkTables();
        tables->readInterfaces(before);
        const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
        ifreq req{};
        std::strcpy(req.ifr_name, "lo");
        ::ioctl(fd, SIOCGIFFLAGS, &req);
        req.ifr_flags = static_cast<short>(req.ifr_flags | IFF_UP);
        ::ioctl(fd, SIOCSIFFLAGS, &req);
        ::close(fd);
        tables->readInterfaces(after);
        makeSystemNetworkTables()->readInterfaces(openedLater);
    });
    worker.join();
    if (!skip.empty()) {
        GTEST_SKIP() << skip;
    }
    ASSERT_EQ(before.size(), 1u);
    ASSERT_EQ(after.size(), 1u);
    EXPECT_EQ(before[0].adminStatus, kAdminStatusDown);
    EXPECT_EQ(before[0].operStatus, kOperStatusNonOperational);
    EXPECT_EQ(before[0].lastChange, 0u);
    EXPECT_EQ(after[0].adminStatus, kAdminStatusUp);
    EXPECT_EQ(after[0].operStatus, kOperStatusOperational);
    EXPECT_GT(after[0].lastChange, 0u);
    // A table opened afterwards knows the moment too.
    ASSERT_EQ(openedLater.size(), 1u);
    EXPECT_EQ(openedLater[0].lastChange, after[0].lastChange);
}

TEST(NetlinkNetworkTables, ALongLivedTableReadsWhatAFreshOneDoesAsLinksComeAndCountersMove) {
    // Between link events a table reads only the counters; a fresh table always reads everything.
    std::string skip;
    std::vector<InterfaceRow> kept;
    std::vector<InterfaceRow> fresh;
    std::size_t before = 0;
    std::thread worker([&] {
        if (::unshare(CLONE_NEWNET) != 0) {
            skip = std::string("cannot create a network namespace: ") + std::strerror(errno);
            return;
        }
        auto tables = makeSystemNetworkTables();
        tables->readInterfaces(kept);
        before = kept.size();
        // Commands started from this thread share its namespace.
        if (std::system("ip link add twa type veth peer name twb && ip link set lo up") != 0) {
            skip = "cannot create links with ip";
            return;
        }
        tables->readInterfaces(kept);
        loopUdp(10, 500);
        for (int i = 0; i < 3; ++i) {
            tables->readInterfaces(kept);
        }
        makeSystemNetworkTables()->readInterfaces(fresh);
    });
    worker.join();
    if (!skip.empty()) {
        GTEST_SKIP() << skip;
    }
    EXPECT_EQ(before, 1u);
    ASSERT_EQ(kept.size(), 3u);
    ASSERT_EQ(fresh.size(), kept.size());
    for (std::size_t i = 0; i < kept.size(); ++i) {
        SCOPED_TRACE(kept[i].description);
        EXPECT_EQ(kept[i].index, fresh[i].index);
        EXPECT_EQ(kept[i].description, fresh[i].description);
        EXPECT_EQ(kept[i].operStatus, fresh[i].operStatus);
        EXPECT_EQ(kept[i].inOctets, fresh[i].inOctets);
        EXPECT_EQ(kept[i].outUcastPkts, fresh[i].outUcastPkts);
    }
    EXPECT_GE(findRow(kept, "lo")->inOctets, 10u * 528);
}

} // namespace
