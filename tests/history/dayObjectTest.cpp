#include "history/dayObject.h"

#include <gtest/gtest.h>

using namespace tw;

TEST(dayObjectTest, ANewRecordWritesZeroDatesAndAmountsBeyond32BitsAsPlainDigits) {
    dayObject d;
    EXPECT_EQ(d.getString(), "1899-12-30 00:00;1899-12-30 00:00;0;0;0;0;");
    d.setBytesReceived(123456789012345.0);
    d.setBytesSent(1e15);
    EXPECT_EQ(d.getString(), "1899-12-30 00:00;1899-12-30 00:00;123456789012345;1000000000000000;0;0;");
}

TEST(dayObjectTest, ResetZeroesNetAmountsAndMaximaButKeepsRawCountersDatesAndLastRates) {
    dayObject d;
    d.setDate(DateTime::fromCivil(2004, 5, 6, 9, 30));
    d.setBytesReceived(1000);
    d.setBytesSent(200);
    d.setMaxDownloadRate(50);
    d.setMaxUploadRate(40);
    d.setLastDownloadRate(30);
    d.setLastUploadRate(20);
    d.reset();
    EXPECT_EQ(d.getBytesReceived(), 1000);
    EXPECT_EQ(d.getDiscardedBytesReceived(), 1000);
    EXPECT_EQ(d.getDiscardedBytesSent(), 200);
    EXPECT_EQ(d.netBytesReceived(), 0);
    EXPECT_EQ(d.getMaxDownloadRate(), 0);
    EXPECT_EQ(d.getMaxUploadRate(), 0);
    EXPECT_EQ(d.getLastDownloadRate(), 30);
    EXPECT_EQ(d.getLastUploadRate(), 20);
    EXPECT_EQ(d.getDate(), DateTime::fromCivil(2004, 5, 6, 9, 30));

    d.setBytesReceived(1500);
    d.setBytesSent(260);
    d.setMaxDownloadRate(9);
    d.setStopDate(DateTime::fromCivil(2004, 5, 6, 11, 2, 45));
    EXPECT_EQ(d.getString(), "2004-05-06 09:30;2004-05-06 11:02;500;60;9;0;");
}
