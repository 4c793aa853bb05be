#include "tools/AdapterDetails.h"

#include <gmock/gmock.h>

using namespace tw;

namespace {

// Groups of three digits separated by spaces, standing in for the user's locale.
std::string grouped(std::uint64_t n) {
    std::string digits = std::to_string(n);
    for (int i = static_cast<int>(digits.size()) - 3; i > 0; i -= 3) {
        digits.insert(static_cast<std::size_t>(i), " ");
    }
    return digits;
}

} // namespace

TEST(AdapterDetails, ShowsALoopbackWithItsTypeNameAndNoPhysicalAddress) {
    InterfaceRow lo;
    lo.index = 1;
    lo.description = "lo";
    lo.type = kIfTypeLoopback;
    lo.mtu = 65536;
    lo.adminStatus = kAdminStatusUp;
    lo.operStatus = kOperStatusOperational;
    lo.lastChange = 123456;
    lo.inOctets = 3'000'000'000ull; // above 2^31: still positive
    lo.outQLen = 1000;
    const auto v = AdapterDetails::values(lo, grouped);
    ASSERT_EQ(v.size(), AdapterDetails::kPropertyCount);
    EXPECT_EQ(v[0], "lo");
    EXPECT_EQ(v[1], "1");
    EXPECT_EQ(v[2], "24 Loopback");
    EXPECT_EQ(v[3], "65 536");
    EXPECT_EQ(v[4], "0");
    EXPECT_EQ(v[5], "");
    EXPECT_EQ(v[6], "");
    EXPECT_EQ(v[7], "1 True");
    EXPECT_EQ(v[8], "5 Operational");
    EXPECT_EQ(v[9], "123456");
    EXPECT_EQ(v[10], "3 000 000 000");
    EXPECT_EQ(v[21], "1 000");
}

TEST(AdapterDetails, ShowsPhysicalAddressBytesInDecimalAndUpperCaseHexWithoutLeadingZeros) {
    InterfaceRow eth;
    eth.type = kIfTypeIeee80211;
    eth.physicalAddress = std::string("\x00\x1a\x2b\x0c\xff\x05", 6);
    eth.adminStatus = 7;
    eth.operStatus = 6;
    const auto v = AdapterDetails::values(eth, grouped);
    EXPECT_EQ(v[2], "71 ");
    EXPECT_EQ(v[5], "0 26 43 12 255 5 ");
    EXPECT_EQ(v[6], "0 1A 2B C FF 5 ");
    EXPECT_EQ(v[7], "7 ");
    EXPECT_EQ(v[8], "6 ");
}

TEST(AdapterDetails, NamesTheKnownTypesAndStatuses) {
    EXPECT_EQ(AdapterDetails::typeName(1), "Other");
    EXPECT_EQ(AdapterDetails::typeName(6), "Ethernet");
    EXPECT_EQ(AdapterDetails::typeName(9), "TokenRing");
    EXPECT_EQ(AdapterDetails::typeName(15), "FDDI");
    EXPECT_EQ(AdapterDetails::typeName(23), "Point-to-Point");
    EXPECT_EQ(AdapterDetails::typeName(28), "Slip");
    EXPECT_EQ(AdapterDetails::adminStatusName(2), "False");
    EXPECT_EQ(AdapterDetails::adminStatusName(3), "Testing");
    EXPECT_EQ(AdapterDetails::operStatusName(0), "Non-operational");
    EXPECT_EQ(AdapterDetails::operStatusName(3), "Connecting");
    EXPECT_EQ(AdapterDetails::propertyNames().front(), "Description of interface");
    EXPECT_EQ(AdapterDetails::propertyNames().back(), "Output queue length");
}
