#include "platform/windows/WinNetworkTables.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace tw {
namespace {

const InterfaceRow* rowWithIndex(const std::vector<InterfaceRow>& rows, std::uint32_t index) {
    const auto it = std::find_if(rows.begin(), rows.end(), [&](const InterfaceRow& r) { return r.index == index; });
    return it == rows.end() ? nullptr : &*it;
}

TEST(ClassicInterfaceTable, IsTheFallbackWith32BitCountersThatAgreesWithThe64BitTable) {
    const auto classic = win::makeNetworkTables(false);
    const auto wide = win::makeNetworkTables(true);
    ASSERT_TRUE(classic->available());
    EXPECT_EQ(classic->counterBits(), 32);
    EXPECT_EQ(wide->counterBits(), 64) << "this system has the 64-bit table";

    std::vector<InterfaceRow> classicRows;
    std::vector<InterfaceRow> wideRows;
    ASSERT_TRUE(classic->readInterfaces(classicRows));
    ASSERT_TRUE(wide->readInterfaces(wideRows));
    const auto lo = std::find_if(classicRows.begin(), classicRows.end(),
                                 [](const InterfaceRow& r) { return r.type == kIfTypeLoopback; });
    ASSERT_NE(lo, classicRows.end());
    EXPECT_LE(lo->inOctets, 0xFFFFFFFFu);
    const InterfaceRow* same = rowWithIndex(wideRows, lo->index);
    ASSERT_NE(same, nullptr);
    EXPECT_EQ(lo->description, same->description);
    EXPECT_EQ(lo->operStatus, same->operStatus);
    // Read a moment apart: the low 32 bits of the wide counter are at most a little ahead.
    EXPECT_LT((same->inOctets - lo->inOctets) & 0xFFFFFFFFu, 1u << 24);
    EXPECT_LT((same->outOctets - lo->outOctets) & 0xFFFFFFFFu, 1u << 24);
}

TEST(ClassicInterfaceTable, ReadsTheSameAddressTable) {
    std::vector<AddressRow> classic;
    std::vector<AddressRow> wide;
    ASSERT_TRUE(win::makeNetworkTables(false)->readAddresses(classic));
    ASSERT_TRUE(win::makeNetworkTables(true)->readAddresses(wide));
    ASSERT_EQ(classic.size(), wide.size());
    EXPECT_TRUE(std::equal(classic.begin(), classic.end(), wide.begin(), [](const AddressRow& a, const AddressRow& b) {
        return a.address == b.address && a.ifIndex == b.ifIndex && a.mask == b.mask;
    }));
}

} // namespace
} // namespace tw
