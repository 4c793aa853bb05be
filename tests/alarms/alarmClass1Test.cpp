#include "alarms/alarmClass1.h"

#include <gtest/gtest.h>

using tw::alarmClass1;
using tw::dayObject;

namespace {

alarmClass1 rule(std::string_view kind, std::string_view period, double limit) {
    alarmClass1 a;
    a.init(kind, period, limit);
    return a;
}

dayObject amounts(double received, double sent) {
    dayObject d;
    d.setBytesReceived(received);
    d.setBytesSent(sent);
    return d;
}

dayObject rates(std::int32_t down, std::int32_t up) {
    dayObject d;
    d.setLastDownloadRate(down);
    d.setLastUploadRate(up);
    return d;
}

} // namespace

TEST(alarmClass1Test, AnAmountFiresOnlyWhenStrictlyAboveTheLimitAndStaysTriggered) {
    auto a = rule("download", "per session", 1048576);
    const dayObject none;
    EXPECT_FALSE(a.checkValues(amounts(1048576, 0), none, none));
    EXPECT_FALSE(a.isTriggered());
    EXPECT_TRUE(a.checkValues(amounts(1048577, 0), none, none));
    EXPECT_TRUE(a.isTriggered());
    EXPECT_FALSE(a.checkValues(amounts(0, 0), none, none));
    EXPECT_TRUE(a.isTriggered());
}

TEST(alarmClass1Test, EachPeriodReadsItsOwnRecordAndEachKindItsOwnQuantity) {
    const dayObject session = amounts(10, 20), today = amounts(100, 200), month = amounts(1000, 2000);
    EXPECT_TRUE(rule("upload", "per session", 19).checkValues(session, today, month));
    EXPECT_FALSE(rule("upload", "per session", 20).checkValues(session, today, month));
    EXPECT_TRUE(rule("download", "per day", 99).checkValues(session, today, month));
    EXPECT_FALSE(rule("download", "per day", 100).checkValues(session, today, month));
    EXPECT_TRUE(rule("download/upload", "per month", 2999).checkValues(session, today, month));
    EXPECT_FALSE(rule("download/upload", "per month", 3000).checkValues(session, today, month));
}

TEST(alarmClass1Test, SpeedsAreComparedPerSecondOnlyAndAmountsNeverPerSecond) {
    const dayObject huge = amounts(1e12, 1e12);
    dayObject session = rates(700, 900);
    session.setBytesReceived(1e12);
    EXPECT_TRUE(rule("total speed", "per second", 1500).checkValues(session, huge, huge));
    EXPECT_TRUE(rule("download speed", "per second", 699).checkValues(session, huge, huge));
    EXPECT_FALSE(rule("upload speed", "per second", 900).checkValues(session, huge, huge));
    EXPECT_FALSE(rule("download speed", "per day", 0).checkValues(session, huge, huge));
    EXPECT_FALSE(rule("download", "per second", 0).checkValues(session, huge, huge));
    // The total of two maximal rates must not overflow.
    const dayObject none;
    EXPECT_TRUE(rule("total speed", "per second", 4e9).checkValues(rates(INT32_MAX, INT32_MAX), none, none));
}

TEST(alarmClass1Test, DayAndMonthChangesResetOnlyRulesOfTheirPeriod) {
    auto daily = rule("download", "per day", 0);
    auto monthly = rule("download", "per month", 0);
    auto perSession = rule("download", "per session", 0);
    for (auto* a : {&daily, &monthly, &perSession}) {
        a->setTriggered(true);
        a->setShown(true);
        a->changeDay();
    }
    EXPECT_FALSE(daily.isTriggered());
    EXPECT_FALSE(daily.isShown());
    EXPECT_TRUE(monthly.isTriggered());
    EXPECT_TRUE(monthly.isShown());
    monthly.changeMonth();
    perSession.changeMonth();
    EXPECT_FALSE(monthly.isTriggered());
    EXPECT_FALSE(monthly.isShown());
    EXPECT_TRUE(perSession.isTriggered());
}

TEST(alarmClass1Test, UnknownTextsLeaveTheFieldsAsTheyWere) {
    const auto a = rule("Download", "UNKNOWN", 5);
    EXPECT_EQ(a.kind(), alarmClass1::kDownload);
    EXPECT_EQ(a.period(), alarmClass1::kPerSession);
    EXPECT_EQ(a.limit(), 5);
    auto b = rule("upload speed", "per month", 1);
    b.init("nonsense", "per second", 2);
    EXPECT_EQ(b.kindText(), "upload speed");
    EXPECT_EQ(b.periodText(), "per second");
}

TEST(alarmClass1Test, DescriptionsUseTheLargestWholeUnitInShortestForm) {
    EXPECT_EQ(rule("download", "per day", 5242880).getString(), "Download limit of 5 MB/day.");
    EXPECT_EQ(rule("total speed", "per second", 1500).getString(), "Total speed limit of 1500 bytes/second.");
    EXPECT_EQ(rule("download/upload", "per month", 3221225472).getString(), "Total transfer limit of 3 GB/month.");
    EXPECT_EQ(rule("upload", "per session", 1536).getString(), "Upload limit of 1536 bytes/session.");
    EXPECT_EQ(rule("download speed", "per second", 2048).getString(), "Download speed limit of 2 kB/second.");
    EXPECT_EQ(rule("upload speed", "per second", 1572864).getString(), "Upload speed limit of 1536 kB/second.");
    EXPECT_EQ(rule("download", "per day", 0).getString(), "Download limit of 0 bytes/day.");
    EXPECT_EQ(rule("download", "per day", -1).getString(), "Download limit of -1 bytes/day.");
    EXPECT_EQ(rule("download", "per day", 1.5).getString(), "Download limit of 1.5 bytes/day.");
    EXPECT_EQ(rule("download", "per day", 7.9e28).getString().find('e'), std::string::npos);
}
