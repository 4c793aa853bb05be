#include "config/IconSensitivity.h"

#include <gtest/gtest.h>

TEST(IconSensitivity, acceptsUpTo1024MegabytesPerSecondAndRefusesMore) {
    const auto max = tw::checkIconSensitivity("1024", 2);
    EXPECT_TRUE(max.ok);
    EXPECT_EQ(max.threshold, 1073741824);
    const auto over = tw::checkIconSensitivity("1025", 2);
    EXPECT_FALSE(over.ok);
    EXPECT_EQ(over.message, "Sensitivity value too large!\nMaximum value is 1024 MB/s.");
    EXPECT_FALSE(tw::checkIconSensitivity("1048577", 1).ok);
}

TEST(IconSensitivity, roundsTheTypedNumberBeforeTheUnitApplies) {
    EXPECT_EQ(tw::checkIconSensitivity("1.6", 0).threshold, 2);
    EXPECT_EQ(tw::checkIconSensitivity(" 2.5 ", 1).threshold, 2048); // halves to even
    EXPECT_EQ(tw::checkIconSensitivity("1023.6", 2).threshold, 1073741824);
    const auto small = tw::checkIconSensitivity("0.4", 0);
    EXPECT_FALSE(small.ok);
    EXPECT_EQ(small.message, "Sensitivity must be at least 1 byte/s!");
    EXPECT_FALSE(tw::checkIconSensitivity("-3", 0).ok);
}

TEST(IconSensitivity, refusesTextThatIsNoNumberAndNumbersBeyond32Bits) {
    EXPECT_EQ(tw::checkIconSensitivity("abc", 0).message, "Sensitivity value must be numeric!");
    EXPECT_EQ(tw::checkIconSensitivity("", 0).message, "Sensitivity value must be numeric!");
    EXPECT_EQ(tw::checkIconSensitivity("3000000000", 0).message,
              "Couldn't save all settings.\nPlease try change the settings againg.\nError number: 6 (Overflow)");
}
