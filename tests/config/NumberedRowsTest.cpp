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

TEST(NumberedRows, RewritingAShorterListLeavesNoStaleRowsAndOtherSectionsUntouched) {
    twtest::TempDir dir;
    const auto path = dir.file("settings.txt");
    dir.write("settings.txt", "[General]\r\nrefreshCombo=3\r\n[Interfaces]\r\nallInterfaces=0\r\n");
    writeNumberedRows(path, kNumInterfaces, kInterfaceRowColumns,
                      {{"Interface", "eth0"}, {"Single IP", "10.0.0.1"}, {"IP Range", "10.0.0.1-10.0.0.9"}});
    writeNumberedRows(path, kNumInterfaces, kInterfaceRowColumns, {{"Single IP", "192.168.1.1"}});
    EXPECT_EQ(dir.read("settings.txt"), "[General]\r\nrefreshCombo=3\r\n[Interfaces]\r\nallInterfaces=0\r\n"
                                        "NumInterfaces=1\r\nRow1a=Single IP\r\nRow1b=192.168.1.1\r\n");
    const auto rows = readNumberedRows(path, kNumInterfaces, kInterfaceRowColumns);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0], (IniRow{"Single IP", "192.168.1.1"}));
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

TEST(NumberedRows, TenThousandRowsGoOutAndComeBackWhole) {
    twtest::TempDir dir;
    const auto path = dir.file("settings.txt");
    std::vector<IniRow> rows;
    for (int i = 1; i <= kMaxNumberedRows; ++i) {
        rows.push_back({i % 2 ? "Download" : "Upload", "Per day", std::to_string(i * 1024)});
    }
    writeNumberedRows(path, kNumAlarms, kAlarmRowColumnsAtStartUp, {{"Total", "Per month", "1"}});
    writeNumberedRows(path, kNumAlarms, kAlarmRowColumnsAtStartUp, rows);
    EXPECT_EQ(readNumberedRows(path, kNumAlarms, kAlarmRowColumnsAtStartUp), rows);
    rows.resize(3);
    writeNumberedRows(path, kNumAlarms, kAlarmRowColumnsAtStartUp, rows);
    EXPECT_EQ(dir.read("settings.txt"), "[Alarm]\r\nNumAlarms=3\r\nRow1a=Download\r\nRow1b=Per day\r\nRow1c=1024\r\n"
                                        "Row2a=Upload\r\nRow2b=Per day\r\nRow2c=2048\r\nRow3a=Download\r\n"
                                        "Row3b=Per day\r\nRow3c=3072\r\n");
}
