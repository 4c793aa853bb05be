#include "LoopbackSocket.h"
#include "platform/ConnectionTable.h"
#include "platform/ProcessList.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

namespace tw {
namespace {

IpAddress loopbackAddress(bool v6) {
    IpAddress a;
    a.v6 = v6;
    if (v6) {
        a.bytes[15] = 1;
    } else {
        a.bytes[0] = 127;
        a.bytes[3] = 1;
    }
    return a;
}

bool listensOn(const std::vector<TcpTableRow>& rows, const IpEndpoint& local) {
    return std::any_of(rows.begin(), rows.end(), [&](const TcpTableRow& r) {
        return r.state == static_cast<int>(MibTcpState::Listen) && r.local == local && r.remote.port == 0;
    });
}

bool boundOn(const std::vector<UdpTableRow>& rows, const IpEndpoint& local) {
    return std::any_of(rows.begin(), rows.end(), [&](const UdpTableRow& r) { return r.local == local; });
}

TEST(ConnectionTableContract, TcpTableShowsAListeningSocketOfThisProcessAndForgetsItOnceClosed) {
    const auto table = makeSystemConnectionTable();
    IpEndpoint local;
    {
        twtest::LoopbackSocket listener(twtest::LoopbackSocket::Kind::TcpListener);
        ASSERT_TRUE(listener.valid());
        local = IpEndpoint{loopbackAddress(false), listener.port()};
        const auto rows = table->tcpTable();
        ASSERT_TRUE(rows.has_value());
        EXPECT_TRUE(listensOn(*rows, local)) << "no listener on 127.0.0.1:" << local.port;
    }
    const auto rows = table->tcpTable();
    ASSERT_TRUE(rows.has_value());
    EXPECT_FALSE(listensOn(*rows, local));
}

TEST(ConnectionTableContract, TcpTableShowsIpv6ListenersWhereTheSystemHasIpv6) {
    twtest::LoopbackSocket listener(twtest::LoopbackSocket::Kind::TcpListener, true);
    if (!listener.valid()) {
        GTEST_SKIP() << "this system has no IPv6 loopback";
    }
    const auto rows = makeSystemConnectionTable()->tcpTable();
    ASSERT_TRUE(rows.has_value());
    EXPECT_TRUE(listensOn(*rows, IpEndpoint{loopbackAddress(true), listener.port()}));
}

TEST(ConnectionTableContract, UdpTableShowsBoundSocketsOfThisProcess) {
    twtest::LoopbackSocket v4(twtest::LoopbackSocket::Kind::Udp);
    ASSERT_TRUE(v4.valid());
    twtest::LoopbackSocket v6(twtest::LoopbackSocket::Kind::Udp, true);
    const auto rows = makeSystemConnectionTable()->udpTable();
    ASSERT_TRUE(rows.has_value());
    EXPECT_TRUE(boundOn(*rows, IpEndpoint{loopbackAddress(false), v4.port()}));
    if (v6.valid()) {
        EXPECT_TRUE(boundOn(*rows, IpEndpoint{loopbackAddress(true), v6.port()}));
    }
}

TEST(ConnectionTableContract, TablesWithOwnersNameThisProgramForItsOwnSockets) {
    twtest::LoopbackSocket listener(twtest::LoopbackSocket::Kind::TcpListener);
    twtest::LoopbackSocket udp(twtest::LoopbackSocket::Kind::Udp);
    ASSERT_TRUE(listener.valid() && udp.valid());
    const ConnectionTables tables = makeSystemConnectionTable()->tablesWithOwners();
    ASSERT_TRUE(tables.tcp && tables.udp);
    const IpEndpoint tcpLocal{loopbackAddress(false), listener.port()};
    const auto tcpRow = std::find_if(tables.tcp->begin(), tables.tcp->end(), [&](const TcpTableRow& r) {
        return r.state == static_cast<int>(MibTcpState::Listen) && r.local == tcpLocal;
    });
    ASSERT_NE(tcpRow, tables.tcp->end());
    const IpEndpoint udpLocal{loopbackAddress(false), udp.port()};
    const auto udpRow =
        std::find_if(tables.udp->begin(), tables.udp->end(), [&](const UdpTableRow& r) { return r.local == udpLocal; });
    ASSERT_NE(udpRow, tables.udp->end());

    // Wine reads the tables but reports no owning process for any socket.
    if (tcpRow->owner.pid == 0 && udpRow->owner.pid == 0) {
        GTEST_SKIP() << "this system does not tell which process owns a socket";
    }
    // The system may shorten the name it lists (Linux keeps 15 characters).
    const std::string ownName = makeSystemProcessList()->ownExeFileName();
    for (const SocketOwner& owner : {tcpRow->owner, udpRow->owner}) {
        EXPECT_GT(owner.pid, 0);
        std::string name = owner.name;
        std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::tolower(c); });
        EXPECT_FALSE(name.empty());
        EXPECT_TRUE(ownName.starts_with(name)) << name << " / " << ownName;
    }
    EXPECT_EQ(tcpRow->owner, udpRow->owner);
}

} // namespace
} // namespace tw
