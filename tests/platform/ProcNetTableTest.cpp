#include "platform/linux/ProcNetTable.h"
#include "platform/IcmpEcho.h"

#include <gmock/gmock.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace tw;

TEST(ProcNetTable, MapsEveryLinuxTcpStateToTheMibNumbering) {
    // ESTABLISHED SYN_SENT SYN_RECV FIN_WAIT1 FIN_WAIT2 TIME_WAIT CLOSE CLOSE_WAIT LAST_ACK LISTEN CLOSING NEW_SYN_RECV
    const int expected[] = {5, 3, 4, 6, 7, 11, 1, 8, 10, 2, 9, 4};
    for (int state = 1; state <= 12; ++state) {
        EXPECT_EQ(procnet::mibTcpState(state), expected[state - 1]) << state;
    }
    EXPECT_EQ(procnet::mibTcpState(0), 0);
    EXPECT_EQ(procnet::mibTcpState(13), 0);
}

TEST(ProcNetTable, DecodesAddressesAsNetworkOrderWordsAndPortsAbove32767) {
    const auto row = procnet::parseTcpLine("   3: 0500A8C0:C350 22D8B85D:01BB 01 00000000:00000000 02:000A7B3C "
                                           "00000000  1000        0 8812 2 0 20 4 30 10 -1");
    ASSERT_TRUE(row);
    EXPECT_EQ(row->state, 5);
    EXPECT_FALSE(row->local.address.v6);
    EXPECT_EQ(row->local.address, IpAddress::fromV4({192, 168, 0, 5}));
    EXPECT_EQ(row->local.port, 50000);
    EXPECT_EQ(row->remote.address, IpAddress::fromV4({93, 184, 216, 34}));
    EXPECT_EQ(row->remote.port, 443);
    EXPECT_FALSE(procnet::parseTcpLine("  sl  local_address rem_address   st tx_queue rx_queue tr tm->when retrnsmt"));
    EXPECT_FALSE(procnet::parseTcpLine("   0: 0100007F:ZZ 00000000:0000 0A"));
}

TEST(ProcNetTable, DecodesIpv6RowsWordByWord) {
    const auto row =
        procnet::parseUdpLine("  1: 00000000000000000000000001000000:FFFF 00000000000000000000000000000000:0000 "
                              "07 00000000:00000000 00:00000000 00000000     0        0 1 2 0");
    ASSERT_TRUE(row);
    EXPECT_TRUE(row->local.address.v6);
    IpAddress loopback;
    loopback.v6 = true;
    loopback.bytes[15] = 1;
    EXPECT_EQ(row->local.address, loopback);
    EXPECT_EQ(row->local.port, 65535);
}

TEST(ProcNetTable, TheSystemTableListsAListeningSocketOfThisProcess) {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    ASSERT_GE(fd, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof(addr)), 0);
    ASSERT_EQ(::listen(fd, 1), 0);
    socklen_t len = sizeof(addr);
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len);
    const std::uint16_t port = ntohs(addr.sin_port);

    const auto listed = [&](const std::optional<std::vector<TcpTableRow>>& rows) {
        return rows && std::any_of(rows->begin(), rows->end(), [&](const TcpTableRow& r) {
                   return r.local.port == port && r.local.address == IpAddress::fromV4({127, 0, 0, 1}) && r.state == 2;
               });
    };
    // From the socket diagnostics, and from the file read when those are missing.
    EXPECT_TRUE(listed(makeSystemConnectionTable()->tcpTable()));
    EXPECT_TRUE(listed(procnet::readTcpFile("/proc/net/tcp")));
    ::close(fd);
    EXPECT_FALSE(listed(makeSystemConnectionTable()->tcpTable()));
}

TEST(LinuxIcmpEcho, TheLoopbackAnswersAnEchoRequest) {
    auto echo = openIcmpEcho();
    if (!echo) {
        GTEST_SKIP() << "this user may open neither a ping socket nor a raw socket";
    }
    const EchoResult result = echo->send({127, 0, 0, 1}, 64, 32, 1000);
    EXPECT_EQ(result.status, EchoStatus::Reply);
    EXPECT_EQ(result.from, (Ipv4Address{127, 0, 0, 1}));
    EXPECT_LT(result.roundTripMs, 1000u);

    echo->cancel();
    EXPECT_EQ(echo->send({127, 0, 0, 1}, 64, 32, 1000).status, EchoStatus::Timeout);
}
