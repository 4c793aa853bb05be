#include "common/ByteUnits.h"

#include <gtest/gtest.h>

#include <limits>

using namespace tw;

TEST(ByteUnits, AnAmountReachesAUnitAtExactlyOneOfIt) {
    EXPECT_EQ(largestUnitReached(1023, kUnitGB), kUnitBytes);
    EXPECT_EQ(largestUnitReached(1024, kUnitGB), kUnitKB);
    EXPECT_EQ(largestUnitReached(1048575, kUnitGB), kUnitKB);
    EXPECT_EQ(largestUnitReached(1048576, kUnitGB), kUnitMB);
    EXPECT_EQ(largestUnitReached(1073741824.0 * 1024 * 1024, kUnitGB), kUnitGB) << "no unit past the last";
    EXPECT_EQ(largestUnitReached(1073741824.0, kUnitMB), kUnitMB);
    EXPECT_EQ(largestUnitReached(-5000, kUnitGB), kUnitBytes);
    EXPECT_EQ(largestUnitReached(std::numeric_limits<double>::quiet_NaN(), kUnitGB), kUnitGB);
}

TEST(ByteUnits, AnAmountExceedsAUnitOnlyPastOneOfIt) {
    EXPECT_EQ(largestUnitExceeded(1024, kUnitBytes, kUnitTB), kUnitBytes);
    EXPECT_EQ(largestUnitExceeded(1025, kUnitBytes, kUnitTB), kUnitKB);
    EXPECT_EQ(largestUnitExceeded(1048576, kUnitBytes, kUnitTB), kUnitKB);
    EXPECT_EQ(largestUnitExceeded(1099511627777.0 * 1024, kUnitBytes, kUnitTB), kUnitTB);
    EXPECT_EQ(largestUnitExceeded(0, kUnitKB, kUnitTB), kUnitKB) << "never below the first unit";
    EXPECT_EQ(largestUnitExceeded(std::numeric_limits<double>::quiet_NaN(), kUnitKB, kUnitTB), kUnitKB);
}

TEST(ByteUnits, DigitsGroupInThreesFromTheRightBehindTheSign) {
    EXPECT_EQ(groupDigits("0"), "0");
    EXPECT_EQ(groupDigits("999"), "999");
    EXPECT_EQ(groupDigits("1000"), "1 000");
    EXPECT_EQ(groupDigits("1234567"), "1 234 567");
    EXPECT_EQ(groupDigits("-123"), "-123");
    EXPECT_EQ(groupDigits("-1234"), "-1 234");
}
