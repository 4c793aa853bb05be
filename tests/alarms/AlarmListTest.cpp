#include "alarms/AlarmList.h"
#include "common/NumberText.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using tw::AlarmRow;

// The unit is the last word of a limit, whatever blanks the amount was typed with.
TEST(AlarmList, limitTextsUseTheLargestExactUnitAndConvertBackToBytes) {
    EXPECT_EQ(tw::limitText(1536), "1536 bytes");
    EXPECT_EQ(tw::limitText(1572864), "1536 kB");
    EXPECT_EQ(tw::limitText(5368709120.0), "5 GB");
    EXPECT_EQ(tw::limitText(0), "0 bytes");
    EXPECT_EQ(tw::limitBytes("1 MB"), 1048576.0);
    EXPECT_EQ(tw::limitBytes("1.5 kB"), 1536.0);
    EXPECT_EQ(tw::limitBytes("3 GB"), 3221225472.0);
    EXPECT_EQ(tw::limitBytes("12 bytes"), 12.0);
    EXPECT_EQ(tw::limitBytes("5  MB"), 5242880.0);
    EXPECT_EQ(tw::limitBytes(" 2 kB"), 2048.0);
    EXPECT_FALSE(tw::limitBytes("12 TB"));
    EXPECT_FALSE(tw::limitBytes("twelve bytes"));
    EXPECT_EQ(tw::splitLimit("5  MB").unit, "MB");
    EXPECT_EQ(tw::splitLimit("5  MB").amount, "5 ");
    EXPECT_EQ(tw::splitLimit("7").unit, "");
    EXPECT_EQ(tw::decimalText(3221225472.0), "3221225472");
    EXPECT_EQ(tw::decimalText(102.4), "102.4");
}

TEST(AlarmList, equivalentRowsAreRemovedKeepingTheEarlierOne) {
    std::vector<AlarmRow> rows = {
        {"download", "per day", "1 MB"}, {"upload", "per day", "1 MB"}, {"download", "per day", "1024 kB"}};
    EXPECT_EQ(tw::removeEquivalentAlarms(rows), 1);
    EXPECT_EQ(rows, (std::vector<AlarmRow>{{"download", "per day", "1 MB"}, {"upload", "per day", "1 MB"}}));
    std::vector<AlarmRow> three(3, AlarmRow{"download", "per session", "5 MB"});
    EXPECT_EQ(tw::removeEquivalentAlarms(three), 2);
    EXPECT_EQ(three.size(), 1u);
    // Kind and period texts are compared exactly.
    std::vector<AlarmRow> otherPeriods = {{"download", "per day", "1 MB"}, {"download", "per month", "1 MB"}};
    EXPECT_EQ(tw::removeEquivalentAlarms(otherPeriods), 0);
}

TEST(AlarmList, amountChecksRefuseTextNegativeAndTooLargeButAcceptZero) {
    EXPECT_EQ(tw::checkAlarmAmount("abc", 0), "Alarm value must be numeric!");
    EXPECT_EQ(tw::checkAlarmAmount("-1", 0), "Alarm value can't be negative!");
    EXPECT_EQ(tw::checkAlarmAmount("8E+28", 0),
              "Alarm value too large!\nMaximum value is LARGE, but not that large...");
    EXPECT_EQ(tw::checkAlarmAmount("8E+19", 3),
              "Alarm value too large!\nMaximum value is LARGE, but not that large...");
    EXPECT_EQ(tw::checkAlarmAmount("1E+400", 0), "Alarm value must be numeric!");
    EXPECT_EQ(tw::checkAlarmAmount("0", 0), "");
    EXPECT_EQ(tw::checkAlarmAmount("7E+19", 0), "");
}

TEST(AlarmList, rulesAreBuiltInListOrderUnlessDisabled) {
    const std::vector<AlarmRow> rows = {{"upload", "per day", "2 kB"}, {"total speed", "per second", "1500 bytes"}};
    const auto rules = tw::buildAlarmRules(rows, false);
    ASSERT_EQ(rules.size(), 2u);
    EXPECT_EQ(rules[0].kind(), tw::alarmClass1::kUpload);
    EXPECT_EQ(rules[0].limit(), 2048);
    EXPECT_EQ(rules[1].getString(), "Total speed limit of 1500 bytes/second.");
    EXPECT_FALSE(rules[1].isTriggered());
    EXPECT_TRUE(tw::buildAlarmRules(rows, true).empty());
}

TEST(AlarmList, rulesAreLoadedFromTheSettingsInRowOrderOnlyWhenAlarmsAreEnabled) {
    twtest::TempDir dir;
    const std::string settings = dir.file("settings.txt");
    dir.write("settings.txt", "[Alarm]\r\nAlarmDisabled=0\r\nNumAlarms=3\r\nRow1a=upload\r\nRow1b=per day\r\n"
                              "Row1c=2048\r\nRow2a=total speed\r\nRow2b=per second\r\nRow2c=1500\r\n");
    const auto rules = tw::loadAlarmRules(settings);
    ASSERT_EQ(rules.size(), 3u);
    EXPECT_EQ(rules[0].getString(), "Upload limit of 2 kB/day.");
    EXPECT_EQ(rules[1].getString(), "Total speed limit of 1500 bytes/second.");
    // A row missing from the file: per-session download with a limit of -1, so it fires on the first sample.
    EXPECT_EQ(rules[2].getString(), "Download limit of -1 bytes/session.");

    dir.write("settings.txt", "[Alarm]\r\nAlarmDisabled=1\r\nNumAlarms=3\r\nRow1a=upload\r\n");
    EXPECT_TRUE(tw::loadAlarmRules(settings).empty());
    dir.write("settings.txt", "[Alarm]\r\nNumAlarms=1\r\nRow1a=upload\r\n");
    EXPECT_TRUE(tw::loadAlarmRules(settings).empty()) << "alarms are disabled by default";
    EXPECT_TRUE(tw::loadAlarmRules(dir.file("missing.txt")).empty());
}
