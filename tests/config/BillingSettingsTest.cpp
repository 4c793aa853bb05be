#include "config/BillingSettings.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

TEST(BillingSettings, noKeysMeanTheCalendarMonthWithoutAllowanceAndBrokenValuesCountAsUnset) {
    twtest::TempDir dir;
    const std::string file = dir.file("settings.txt");
    const tw::BillingSettings none = tw::loadBillingSettings(file);
    EXPECT_EQ(none.monthStartDay, 1);
    EXPECT_EQ(none.monthlyAllowance, 0);

    dir.write("settings.txt", "[General]\r\nmonthStartDay=15\r\nmonthlyAllowance=53687091200\r\n");
    EXPECT_EQ(tw::loadBillingSettings(file).monthStartDay, 15);
    EXPECT_EQ(tw::loadBillingSettings(file).monthlyAllowance, 53687091200.0);

    for (const char* day : {"0", "29", "31", "-3", "abc"}) {
        dir.write("settings.txt", std::string("[General]\r\nmonthStartDay=") + day + "\r\n");
        EXPECT_EQ(tw::loadBillingSettings(file).monthStartDay, 1) << day;
    }
    for (const char* amount : {"-5", "abc", "1e300"}) {
        dir.write("settings.txt", std::string("[General]\r\nmonthlyAllowance=") + amount + "\r\n");
        EXPECT_EQ(tw::loadBillingSettings(file).monthlyAllowance, 0) << amount;
    }
}

TEST(BillingSettings, allowanceTakesTheUsualUnitsAndRefusesWhatIsNoAmount) {
    EXPECT_EQ(tw::checkMonthlyAllowance("50", 3).bytes, 53687091200.0);
    EXPECT_EQ(tw::checkMonthlyAllowance(" 1.5 ", 2).bytes, 1572864.0);
    EXPECT_EQ(tw::checkMonthlyAllowance("0.4", 0).bytes, 0.0); // whole bytes
    EXPECT_TRUE(tw::checkMonthlyAllowance("0", 3).ok);
    EXPECT_EQ(tw::checkMonthlyAllowance("abc", 3).message, "Monthly allowance must be numeric!");
    EXPECT_EQ(tw::checkMonthlyAllowance("", 3).message, "Monthly allowance must be numeric!");
    EXPECT_EQ(tw::checkMonthlyAllowance("-1", 3).message, "Monthly allowance can't be negative!");
    EXPECT_TRUE(tw::checkMonthlyAllowance("8388608", 3).ok);
    EXPECT_EQ(tw::checkMonthlyAllowance("8388609", 3).message,
              "Monthly allowance too large!\nMaximum value is 8388608 GB.");
}
