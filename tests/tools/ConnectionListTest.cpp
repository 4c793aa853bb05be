#include "tools/ConnectionList.h"

#include "platform/fake/FakeConnectionTable.h"
#include "tools/AddressText.h"

#include <gmock/gmock.h>

using namespace tw;

namespace {

IpEndpoint v4(std::uint8_t a, std::uint8_t b, std::uint8_t c, std::uint8_t d, std::uint16_t port) {
    return {IpAddress::fromV4({a, b, c, d}), port};
}

IpEndpoint v6(std::initializer_list<std::uint8_t> bytes, std::uint16_t port) {
    IpEndpoint e;
    e.address.v6 = true;
    std::copy(bytes.begin(), bytes.end(), e.address.bytes.begin());
    e.port = port;
    return e;
}

TcpTableRow tcp(MibTcpState state, IpEndpoint local, IpEndpoint remote) {
    return {static_cast<int>(state), local, remote};
}

std::vector<std::vector<std::string>> cells(const std::vector<ConnectionRowText>& rows) {
    std::vector<std::vector<std::string>> out;
    for (const auto& r : rows) {
        out.push_back({r.remoteHost, r.remotePort, r.localHost, r.localPort, r.protocol, r.state});
    }
    return out;
}

using Cells = std::vector<std::vector<std::string>>;

} // namespace

TEST(ConnectionList, ShowsEveryStateInTheMibNumberingAsText) {
    const std::vector<std::string> expected = {"",
                                               "Closed",
                                               "Listening",
                                               "SYN Sent",
                                               "SYN Received",
                                               "Established",
                                               "Waiting for FIN",
                                               "Waiting for FIN",
                                               "Waiting for Close",
                                               "Closing",
                                               "Last ACK",
                                               "Time Wait",
                                               "TCB deleted",
                                               ""};
    for (int state = 0; state < static_cast<int>(expected.size()); ++state) {
        EXPECT_EQ(ConnectionList::stateText(state), expected[static_cast<std::size_t>(state)]) << state;
    }
}

TEST(ConnectionList, ListsTcpRowsThenUdpRowsSortedWithListeningRemotePortZero) {
    FakeConnectionTable table;
    table.tcp = std::vector<TcpTableRow>{
        tcp(MibTcpState::Established, v4(192, 168, 0, 5, 50123), v4(93, 184, 216, 34, 443)),
        tcp(MibTcpState::Listen, v4(0, 0, 0, 0, 22), v4(0, 0, 0, 0, 4711)),
        tcp(MibTcpState::TimeWait, v4(192, 168, 0, 5, 40000), v4(10, 0, 0, 1, 65535)),
    };
    table.udp = std::vector<UdpTableRow>{{v4(192, 168, 0, 5, 5353)}, {v4(0, 0, 0, 0, 68)}};

    EXPECT_EQ(cells(ConnectionList(table).rows(false)),
              (Cells{{"0.0.0.0", "0", "0.0.0.0", "22", "TCP", "Listening"},
                     {"10.0.0.1", "65535", "192.168.0.5", "40000", "TCP", "Time Wait"},
                     {"93.184.216.34", "443", "192.168.0.5", "50123", "TCP", "Established"},
                     {"-", "-", "0.0.0.0", "68", "UDP", "-"},
                     {"-", "-", "192.168.0.5", "5353", "UDP", "-"}}));
}

TEST(ConnectionList, FilterHidesUnspecifiedAndLoopbackLocalAddressesOfBothFamilies) {
    FakeConnectionTable table;
    const auto any6 = v6({}, 80);
    const auto loop6 = v6({0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1}, 631);
    const auto mappedLoop = v6({0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xff, 0xff, 127, 0, 0, 1}, 8080);
    const auto global6 = v6({0x20, 0x01, 0x0d, 0xb8, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x10}, 9000);
    table.tcp = std::vector<TcpTableRow>{
        tcp(MibTcpState::Listen, v4(0, 0, 0, 0, 22), v4(0, 0, 0, 0, 0)),
        tcp(MibTcpState::Established, v4(127, 0, 0, 1, 5000), v4(127, 0, 0, 1, 6000)),
        tcp(MibTcpState::Established, v4(127, 0, 0, 2, 5001), v4(127, 0, 0, 1, 6001)),
        tcp(MibTcpState::Established, v4(10, 1, 1, 1, 5002), v4(127, 0, 0, 1, 6002)),
        tcp(MibTcpState::Listen, any6, v6({}, 0)),
        tcp(MibTcpState::Listen, loop6, v6({}, 0)),
        tcp(MibTcpState::Established, mappedLoop, mappedLoop),
        tcp(MibTcpState::Established, global6,
            v6({0x20, 0x01, 0x0d, 0xb8, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x20}, 443)),
    };
    table.udp = std::vector<UdpTableRow>{{v4(0, 0, 0, 0, 68)}, {v4(127, 0, 0, 1, 53)}, {any6}, {global6}};

    const ConnectionList list(table);
    // Only the local address counts: a remote loopback address stays.
    EXPECT_EQ(cells(list.rows(true)), (Cells{{"127.0.0.1", "6002", "10.1.1.1", "5002", "TCP", "Established"},
                                             {"127.0.0.1", "6001", "127.0.0.2", "5001", "TCP", "Established"},
                                             {"2001:db8::20", "443", "2001:db8::10", "9000", "TCP", "Established"},
                                             {"-", "-", "2001:db8::10", "9000", "UDP", "-"}}));
    EXPECT_EQ(list.rows(false).size(), 12u);
}

TEST(ConnectionList, MarksOnlyIpv4RemoteHostsAsTraceable) {
    FakeConnectionTable table;
    const auto mapped = v6({0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xff, 0xff, 198, 51, 100, 7}, 443);
    table.tcp = std::vector<TcpTableRow>{
        tcp(MibTcpState::Established, v4(10, 0, 0, 2, 1000), v4(10, 0, 0, 3, 80)),
        tcp(MibTcpState::Established, mapped, mapped),
        tcp(MibTcpState::Established, v6({0xfe, 0x80, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1}, 1),
            v6({0xfe, 0x80, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2}, 2)),
    };
    const auto rows = ConnectionList(table).rows(true);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_TRUE(rows[0].remoteIsIpv4);
    EXPECT_EQ(rows[1].remoteHost, "198.51.100.7"); // an IPv4 peer of an IPv6 socket is shown as IPv4
    EXPECT_TRUE(rows[1].remoteIsIpv4);
    EXPECT_EQ(rows[2].remoteHost, "fe80::2");
    EXPECT_FALSE(rows[2].remoteIsIpv4);
}

TEST(ConnectionList, AnUnreadableTableShowsNoRowsOfThatProtocol) {
    FakeConnectionTable table;
    table.tcp = std::nullopt;
    table.udp = std::vector<UdpTableRow>{{v4(10, 0, 0, 1, 53)}};
    EXPECT_EQ(cells(ConnectionList(table).rows(true)), (Cells{{"-", "-", "10.0.0.1", "53", "UDP", "-"}}));
}

TEST(ConnectionList, ListsEveryRowOfALargeTable) {
    FakeConnectionTable table;
    std::vector<TcpTableRow> rows;
    for (int i = 0; i < 500; ++i) {
        rows.push_back(tcp(MibTcpState::Established,
                           v4(10, 0, static_cast<std::uint8_t>(i / 256), static_cast<std::uint8_t>(i % 256), 1000),
                           v4(10, 9, 9, 9, 80)));
    }
    table.tcp = rows;
    EXPECT_EQ(ConnectionList(table).rows(true).size(), 500u);
}

TEST(AddressText, FormatsIpv6InItsShortestFormAndParsesOnlyDottedQuads) {
    IpAddress a;
    a.v6 = true;
    EXPECT_EQ(formatIpAddress(a), "::");
    a.bytes = {0x20, 0x01, 0x0d, 0xb8, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 1};
    EXPECT_EQ(formatIpAddress(a), "2001:db8:0:1::1");
    a.bytes = {0x20, 0x01, 0x0d, 0xb8, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 1};
    EXPECT_EQ(formatIpAddress(a), "2001:db8::1:0:0:1"); // the first of two equal runs
    a.bytes = {0x20, 0x01, 0x0d, 0xb8, 0, 1, 0, 1, 0, 1, 0, 1, 0, 1, 0, 1};
    EXPECT_EQ(formatIpAddress(a), "2001:db8:1:1:1:1:1:1");

    EXPECT_EQ(parseIpv4("198.18.1.2"), (Ipv4Address{198, 18, 1, 2}));
    for (const char* bad :
         {"", "1.2.3", "1.2.3.4.", "256.1.1.1", " 1.2.3.4", "1.2.3.4 ", "a.b.c.d", "1..2.3", "1.2.3.0004"}) {
        EXPECT_FALSE(parseIpv4(bad)) << bad;
    }
}
