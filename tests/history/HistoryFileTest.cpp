#include "history/HistoryFile.h"

#include "common/TextFile.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace tw;

namespace {

constexpr const char* kHeader = "'2004-05-01 08:00:00\r\n'Source file for Tallywave\r\n"
                                "'Do not change this file unless absolutely sure.\r\n";

class HistoryFileTest : public ::testing::Test {
protected:
    twtest::TempDir dir;
    std::string path = dir.file("datasource.txt");
    DateTime now = DateTime::fromCivil(2004, 3, 15, 14, 0, 30);

    dayObject session(DateTime start, double received, double sent) {
        dayObject d;
        d.setDate(start);
        d.setBytesReceived(received);
        d.setBytesSent(sent);
        return d;
    }
};

} // namespace

TEST_F(HistoryFileTest, HeaderIsWrittenOnceEvenWhenThereIsNothingToAppend) {
    auto empty = session(now, 0, 0);
    ASSERT_TRUE(appendSession(path, empty, false, now));
    EXPECT_EQ(dir.read("datasource.txt"), "'2004-03-15 14:00:30\r\n'Source file for Tallywave\r\n"
                                          "'Do not change this file unless absolutely sure.\r\n");
    ASSERT_TRUE(appendSession(path, empty, false, now.addDays(1)));
    EXPECT_EQ(readTextLines(path)->size(), 3u);
}

TEST_F(HistoryFileTest, SessionEndingAtMidnightStopsAt2359OfItsStartDay) {
    auto s = session(DateTime::fromCivil(2004, 3, 14, 21, 0), 500, 20);
    ASSERT_TRUE(appendSession(path, s, true, DateTime::fromCivil(2004, 3, 15, 0, 0, 1)));
    s.setDate(DateTime::fromCivil(2004, 3, 15, 0, 0, 1));
    s.reset();
    s.setBytesReceived(s.getBytesReceived() + 70);
    ASSERT_TRUE(appendSession(path, s, false, DateTime::fromCivil(2004, 3, 15, 1, 30, 10)));
    const auto lines = *readTextLines(path);
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[3], "2004-03-14 21:00;2004-03-14 23:59;500;20;0;0;");
    EXPECT_EQ(lines[4], "2004-03-15 00:00;2004-03-15 01:30;70;0;0;0;");
}

TEST_F(HistoryFileTest, AppendStartsOnANewLineWhenTheLastLineLacksItsBreak) {
    dir.write("datasource.txt", std::string(kHeader) + "2004-03-01 10:00;2004-03-01 11:00;5;6;0;0;");
    auto s = session(DateTime::fromCivil(2004, 3, 15, 9, 0), 1, 2);
    ASSERT_TRUE(appendSession(path, s, false, now));
    EXPECT_EQ(dir.read("datasource.txt"), std::string(kHeader) + "2004-03-01 10:00;2004-03-01 11:00;5;6;0;0;\r\n"
                                                                 "2004-03-15 09:00;2004-03-15 14:00;1;2;0;0;\r\n");
}

TEST_F(HistoryFileTest, TotalsCountTodayAndThisMonthSkippingHeaderCommentsAndBrokenLines) {
    dir.write("datasource.txt", "2004-03-15 01:00;2004-03-15 02:00;1000;1000;0;0;\n"
                                "2004-03-15 01:00;2004-03-15 02:00;1000;1000;0;0;\n"
                                "2004-03-15 01:00;2004-03-15 02:00;1000;1000;0;0;\n"
                                "2004-03-15 08:00;2004-03-15 09:00;100;10;0;0;\n"
                                "'2004-03-15 08:00;2004-03-15 09:00;100000;10;0;0;\n"
                                "2004-03-15 08:00;2004-03-15 09:00;garbage;10;0;0;\n"
                                "2004-03-14 23:00;2004-03-14 23:59;20;2;0;0;extra;\n"
                                "2004-02-29 23:00;2004-02-29 23:59;3;3;0;0;\n"
                                "2003-03-15 08:00;2003-03-15 09:00;4;4;0;0;\n"
                                "2004-03-15 20:00;2004-03-15 21:00;5;1;0;0;");
    const auto totals = loadPeriodTotals(path, now);
    EXPECT_EQ(totals.today.getDate(), now);
    EXPECT_EQ(totals.month.getDate(), now);
    EXPECT_EQ(totals.today.getBytesReceived(), 105);
    EXPECT_EQ(totals.today.getBytesSent(), 11);
    EXPECT_EQ(totals.month.getBytesReceived(), 125);
    EXPECT_EQ(totals.month.getBytesSent(), 13);
}

// Zeros from a missing, short or unreadable file (the checked loader tells the last apart); a removal creates no
// file, an append where no file can be made says so.
TEST_F(HistoryFileTest, MissingShortAndUnreadableFiles) {
    EXPECT_EQ(loadPeriodTotals(path, now).month.getBytesReceived(), 0);
    EXPECT_TRUE(removeCurrentPeriod(path, true, now));
    EXPECT_FALSE(std::filesystem::exists(path));
    auto s = session(now, 1, 1);
    EXPECT_FALSE(appendSession(dir.file("missing/datasource.txt"), s, false, now));
    dir.write("datasource.txt", "'header\r\n2004-03-15 08:00;2004-03-15 09:00;100;10;0;0;\r\n");
    EXPECT_EQ(loadPeriodTotals(path, now).month.getBytesReceived(), 0);
    std::filesystem::remove(path);
    std::filesystem::create_directory(path);
    EXPECT_FALSE(tryLoadPeriodTotals(path, now));
    EXPECT_EQ(loadPeriodTotals(path, now).today.getBytesReceived(), 0);
}

TEST_F(HistoryFileTest, RemovingTodayKeepsOtherDaysCommentsAndBrokenLines) {
    dir.write("datasource.txt", std::string(kHeader) + "2004-03-15 08:00;2004-03-15 09:00;1;1;0;0;\r\n"
                                                       "'2004-03-15 08:00;2004-03-15 09:00;1;1;0;0;\r\n"
                                                       "2004-03-14 08:00;2004-03-14 09:00;2;2;0;0;\r\n"
                                                       "2004-03-15 08:00;broken;3;3;0;0;\r\n"
                                                       "2004-03-15 23:00;2004-03-15 23:59;4;4;0;0;\n");
    ASSERT_TRUE(removeCurrentPeriod(path, true, now));
    EXPECT_EQ(dir.read("datasource.txt"), std::string(kHeader) + "'2004-03-15 08:00;2004-03-15 09:00;1;1;0;0;\r\n"
                                                                 "2004-03-14 08:00;2004-03-14 09:00;2;2;0;0;\r\n"
                                                                 "2004-03-15 08:00;broken;3;3;0;0;\r\n");
}

TEST_F(HistoryFileTest, RemovingTheMonthTakesEveryLineOfThatMonthAndYearOnly) {
    const std::string header = "2004-03-02 08:00;2004-03-02 09:00;9;9;0;0;\r\n'b\r\n'c\r\n";
    dir.write("datasource.txt", header + "2004-03-01 00:00;2004-03-01 09:00;1;1;0;0;\r\n"
                                         "2004-03-15 08:00;2004-03-15 09:00;2;2;0;0;\r\n"
                                         "2004-02-29 08:00;2004-02-29 09:00;3;3;0;0;\r\n"
                                         "2003-03-15 08:00;2003-03-15 09:00;4;4;0;0;\r\n"
                                         "2004-04-01 08:00;2004-04-01 09:00;5;5;0;0;\r\n");
    ASSERT_TRUE(removeCurrentPeriod(path, false, now));
    EXPECT_EQ(dir.read("datasource.txt"), header + "2004-02-29 08:00;2004-02-29 09:00;3;3;0;0;\r\n"
                                                   "2003-03-15 08:00;2003-03-15 09:00;4;4;0;0;\r\n"
                                                   "2004-04-01 08:00;2004-04-01 09:00;5;5;0;0;\r\n");
}

TEST_F(HistoryFileTest, ABillingMonthFromThe10thIsWhatTheTotalsAndTheMonthResetTake) {
    const std::string februaryPeriod = "2004-02-10 00:00;2004-02-10 09:00;10;0;0;0;\r\n"
                                       "2004-03-09 23:59;2004-03-10 00:30;1;0;0;0;\r\n";
    const std::string marchPeriod = "2004-04-09 23:00;2004-04-09 23:59;20;0;0;0;\r\n"
                                    "2004-03-10 00:00;2004-03-10 01:00;300;0;0;0;\r\n";
    const std::string later = "2004-04-10 00:00;2004-04-10 09:00;4000;0;0;0;\r\n";
    dir.write("datasource.txt", std::string(kHeader) + februaryPeriod + later + marchPeriod);
    const DateTime inMarch = DateTime::fromCivil(2004, 3, 31, 12, 0);
    EXPECT_EQ(loadPeriodTotals(path, inMarch, 10).month.getBytesReceived(), 320);
    EXPECT_EQ(loadPeriodTotals(path, inMarch).month.getBytesReceived(), 301) << "the calendar month by default";
    EXPECT_EQ(loadPeriodTotals(path, DateTime::fromCivil(2004, 3, 1), 10).month.getBytesReceived(), 11);

    ASSERT_TRUE(removeCurrentPeriod(path, false, DateTime::fromCivil(2004, 3, 2), 10));
    EXPECT_EQ(dir.read("datasource.txt"), std::string(kHeader) + later + marchPeriod);
}

TEST_F(HistoryFileTest, ABareCrEndsALineForTheReadersTheAppenderAndTheRemover) {
    // Written by an old Mac editor: CR-only line ends, the last line ended too.
    const std::string foreign = "'h1\r'h2\r'h3\r2004-03-15 08:00;2004-03-15 09:00;100;10;0;0;\r"
                                "2004-03-01 08:00;2004-03-01 09:00;7;7;0;0;\r";
    dir.write("datasource.txt", foreign);
    auto s = session(DateTime::fromCivil(2004, 3, 15, 9, 0), 1, 2);
    ASSERT_TRUE(appendSession(path, s, false, now));
    EXPECT_EQ(dir.read("datasource.txt"), foreign + "2004-03-15 09:00;2004-03-15 14:00;1;2;0;0;\r\n");

    const auto totals = loadPeriodTotals(path, now);
    EXPECT_EQ(totals.today.getBytesReceived(), 101);
    EXPECT_EQ(totals.month.getBytesSent(), 19);

    ASSERT_TRUE(removeCurrentPeriod(path, true, now));
    EXPECT_EQ(dir.read("datasource.txt"), "'h1\r\n'h2\r\n'h3\r\n2004-03-01 08:00;2004-03-01 09:00;7;7;0;0;\r\n");
}
