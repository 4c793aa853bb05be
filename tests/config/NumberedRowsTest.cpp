#include "config/NumberedRows.h"

#include "support/CapturingMessageSink.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using namespace tw;

TEST(NumberedRows, MissingCellsTakeTheirColumnDefaults) {
    twtest::TempDir dir;
    dir.write("settings.txt",
              "[Alarm]\r\nNumAlarms=2\r\nRow1a=download\r\nRow1b=per day\r\nRow1c=100\r\nRow2a=upload\r\n");
    const auto rows = readNumberedRows(dir.file("settings.txt"), kNumAlarms, kAlarmRowColumnsAtStartUp);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0], (IniRow{"download", "per day", "100"}));
    EXPECT_EQ(rows[1], (IniRow{"upload", "UNKNOWN", "-1"}));
}

TEST(NumberedRows, CorruptCountIsBoundedAndNegativeCountReadsAsNone) {
    twtest::TempDir dir;
    twtest::CapturingMessageSink sink;
    dir.write("settings.txt", "[Alarm]\r\nNumAlarms=-4\r\n");
    EXPECT_TRUE(readNumberedRows(dir.file("settings.txt"), kNumAlarms, kAlarmRowColumnsInAlarmWindow).empty());
    dir.write("settings.txt", "[Alarm]\r\nNumAlarms=999999999\r\n");
    EXPECT_EQ(readNumberedRows(dir.file("settings.txt"), kNumAlarms, kAlarmRowColumnsInAlarmWindow).size(),
              static_cast<std::size_t>(kMaxNumberedRows));
}

// The longest list goes out and comes back whole; a shorter one written over it leaves no stale rows, and the
// other keys and sections stay.
TEST(NumberedRows, TenThousandRowsGoOutAndComeBackWholeAndAShorterListLeavesNoStaleRows) {
    twtest::TempDir dir;
    const auto path = dir.file("settings.txt");
    dir.write("settings.txt", "[General]\r\nrefreshCombo=3\r\n[Alarm]\r\nAlarmDisabled=0\r\n");
    std::vector<IniRow> rows;
    for (int i = 1; i <= kMaxNumberedRows; ++i) {
        rows.push_back({i % 2 ? "Download" : "Upload", "Per day", std::to_string(i * 1024)});
    }
    writeNumberedRows(path, kNumAlarms, kAlarmRowColumnsAtStartUp, {{"Total", "Per month", "1"}});
    writeNumberedRows(path, kNumAlarms, kAlarmRowColumnsAtStartUp, rows);
    EXPECT_EQ(readNumberedRows(path, kNumAlarms, kAlarmRowColumnsAtStartUp), rows);
    rows.resize(3);
    writeNumberedRows(path, kNumAlarms, kAlarmRowColumnsAtStartUp, rows);
    EXPECT_EQ(dir.read("settings.txt"),
              "[General]\r\nrefreshCombo=3\r\n[Alarm]\r\nAlarmDisabled=0\r\nNumAlarms=3\r\n"
              "Row1a=Download\r\nRow1b=Per day\r\nRow1c=1024\r\nRow2a=Upload\r\n"
              "Row2b=Per day\r\nRow2c=2048\r\nRow3a=Download\r\nRow3b=Per day\r\nRow3c=3072\r\n");
    EXPECT_EQ(readNumberedRows(path, kNumAlarms, kAlarmRowColumnsAtStartUp), rows);
}
