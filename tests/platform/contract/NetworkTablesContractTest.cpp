#include "LoopbackSocket.h"
#include "platform/NetworkTables.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

namespace tw {
namespace {

std::uint32_t networkOrder(std::uint8_t a, std::uint8_t b, std::uint8_t c, std::uint8_t d) {
    const std::uint8_t bytes[4] = {a, b, c, d};
    std::uint32_t value = 0;
    std::memcpy(&value, bytes, 4);
    return value;
}

std::vector<InterfaceRow> interfaces(NetworkTables& tables) {
    std::vector<InterfaceRow> rows;
    EXPECT_TRUE(tables.readInterfaces(rows));
    return rows;
}

const InterfaceRow* loopback(const std::vector<InterfaceRow>& rows) {
    const auto it =
        std::find_if(rows.begin(), rows.end(), [](const InterfaceRow& r) { return r.type == kIfTypeLoopback; });
    return it == rows.end() ? nullptr : &*it;
}

// Counter movement as the engine sees it: a 32-bit source wraps.
std::uint64_t moved(std::uint64_t before, std::uint64_t after, int bits) {
    const std::uint64_t diff = after - before;
    return bits == 32 ? diff & 0xFFFFFFFFu : diff;
}

TEST(NetworkTablesContract, InterfaceTableHoldsAnUpLoopbackRowAndComesInIndexOrder) {
    const auto tables = makeSystemNetworkTables();
    ASSERT_TRUE(tables->available());
    EXPECT_TRUE(tables->counterBits() == 64 || tables->counterBits() == 32);
    const auto rows = interfaces(*tables);
    const InterfaceRow* lo = loopback(rows);
    ASSERT_NE(lo, nullptr);
    EXPECT_FALSE(lo->description.empty());
    EXPECT_EQ(lo->adminStatus, kAdminStatusUp);
    EXPECT_EQ(lo->operStatus, kOperStatusOperational);
    EXPECT_TRUE(lo->physicalAddress.empty());
    EXPECT_TRUE(std::adjacent_find(rows.begin(), rows.end(), [](const InterfaceRow& a, const InterfaceRow& b) {
                    return a.index >= b.index;
                }) == rows.end());
}

TEST(NetworkTablesContract, RereadingIntoTheSameVectorGivesTheSameRows) {
    const auto tables = makeSystemNetworkTables();
    std::vector<InterfaceRow> rows;
    ASSERT_TRUE(tables->readInterfaces(rows));
    const std::size_t count = rows.size();
    rows.emplace_back(); // a stale extra row must not survive the next read
    ASSERT_TRUE(tables->readInterfaces(rows));
    EXPECT_EQ(rows.size(), count);
}

TEST(NetworkTablesContract, LoopbackCountersMoveWithTrafficSentThroughIt) {
    const auto tables = makeSystemNetworkTables();
    twtest::LoopbackSocket socket(twtest::LoopbackSocket::Kind::Udp);
    ASSERT_TRUE(socket.valid());
    const auto before = interfaces(*tables);
    ASSERT_NE(loopback(before), nullptr);
    constexpr std::size_t kDatagrams = 200;
    constexpr std::size_t kSize = 1000;
    ASSERT_EQ(socket.sendToSelf(kDatagrams, kSize), kDatagrams * kSize);
    const auto after = interfaces(*tables);
    ASSERT_NE(loopback(after), nullptr);

    const int bits = tables->counterBits();
    const std::uint64_t in = moved(loopback(before)->inOctets, loopback(after)->inOctets, bits);
    const std::uint64_t out = moved(loopback(before)->outOctets, loopback(after)->outOctets, bits);
    EXPECT_GE(in, kDatagrams * kSize);
    EXPECT_GE(out, kDatagrams * kSize);
    EXPECT_LT(in, 1000 * kDatagrams * kSize) << "other loopback traffic cannot explain such a jump";
}

TEST(NetworkTablesContract, AddressTableHoldsTheLoopbackAddressOnTheLoopbackRow) {
    const auto tables = makeSystemNetworkTables();
    const auto rows = interfaces(*tables);
    const InterfaceRow* lo = loopback(rows);
    ASSERT_NE(lo, nullptr);
    std::vector<AddressRow> addresses;
    ASSERT_TRUE(tables->readAddresses(addresses));
    const auto it = std::find_if(addresses.begin(), addresses.end(),
                                 [](const AddressRow& a) { return a.address == networkOrder(127, 0, 0, 1); });
    ASSERT_NE(it, addresses.end());
    EXPECT_EQ(it->ifIndex, lo->index);
    EXPECT_EQ(it->mask, networkOrder(255, 0, 0, 0));
    // Every address belongs to a row of the interface table.
    for (const AddressRow& a : addresses) {
        EXPECT_TRUE(std::any_of(rows.begin(), rows.end(), [&](const InterfaceRow& r) { return r.index == a.ifIndex; }))
            << "address on unknown interface " << a.ifIndex;
    }
}

} // namespace
} // namespace tw
