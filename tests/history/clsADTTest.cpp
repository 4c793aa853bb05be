#include "history/clsADT.h"
#include "common/ProgressSink.h"
#include "support/TempDir.h"

#include <gmock/gmock.h>

#include <filesystem>

using namespace tw;
using testing::ElementsAre;

namespace {

clsSessionData session(const char* start, double down, double up = 0, int maxDown = 0, int maxUp = 0,
                       const char* stop = nullptr) {
    clsSessionData s;
    s.startDate = *DateTime::parse(start);
    s.stopDate = *DateTime::parse(stop != nullptr ? stop : start);
    s.downloaded = down;
    s.uploaded = up;
    s.maxDownloadSpeed = maxDown;
    s.maxUploadSpeed = maxUp;
    return s;
}

std::vector<double> downloadsOf(const clsADTDay& day) {
    std::vector<double> v;
    for (const auto& s : day.getSessions()) {
        v.push_back(s.downloaded);
    }
    return v;
}

const std::string kHeader = "'2004-05-06 09:00:00\r\n'Source file for Tallywave\r\n"
                            "'Do not change this file unless absolutely sure.\r\n";

class RecordingProgress : public ProgressSink {
public:
    void setLabel(std::string_view text) override { labels.emplace_back(text); }
    void setProgress(int percent) override { values.push_back(percent); }
    std::vector<std::string> labels;
    std::vector<int> values;
};

} // namespace

TEST(clsADT, InsertsASessionAfterTheSessionsThatStartAtTheSameMinute) {
    clsADT tree;
    tree.insertLog(session("2004-05-06 11:00", 3));
    tree.insertLog(session("2004-05-06 09:00", 1));
    tree.insertLog(session("2004-05-06 10:00", 2));
    tree.insertLog(session("2004-05-06 10:00", 99));
    EXPECT_THAT(downloadsOf(*tree.getDay(2004, 5, 6)), ElementsAre(1, 2, 99, 3));
}

TEST(clsADT, KeepsPeriodsInTheOrderTheyWereCreatedEvenForAnEarlierYear) {
    clsADT tree;
    tree.insertLog(session("2005-02-01 10:00", 1));
    tree.insertLog(session("2005-01-01 10:00", 1));
    tree.insertLog(session("2003-07-01 10:00", 1));
    ASSERT_EQ(tree.Count(), 2);
    EXPECT_EQ(tree.getYears()[0].getYear(), 2005);
    EXPECT_EQ(tree.getYears()[1].getYear(), 2003);
    EXPECT_EQ(tree.getYears()[0].getMonths()[0].getMonth(), 2);
    EXPECT_EQ(tree.getYears()[0].getMonths()[1].getMonth(), 1);
}

TEST(clsADT, HoldsAnyNumberOfSessionsInADayAndAnyNumberOfYears) {
    clsADT tree;
    for (int i = 0; i < 300; ++i) {
        tree.insertLog(session("2004-05-06 10:00", 1));
        tree.insertLog(session((std::to_string(1700 + i) + "-01-01 00:00").c_str(), 1));
    }
    EXPECT_EQ(tree.getDay(2004, 5, 6)->Count(), 300);
    EXPECT_EQ(tree.Count(), 301);
}

// Among sessions of the same minute the one that matches every field goes; when none does, the first of the minute.
TEST(clsADT, DeletesTheSessionOfTheMinuteThatMatchesEveryFieldOrElseTheFirst) {
    clsADT tree;
    tree.insertLog(session("2004-05-06 10:00", 100, 1, 5, 6, "2004-05-06 10:30"));
    tree.insertLog(session("2004-05-06 10:00", 200, 2, 7, 8, "2004-05-06 11:00"));
    tree.insertLog(session("2004-05-06 10:00", 300));
    tree.updateStats();
    tree.deleteLog(session("2004-05-06 10:00", 200, 2, 7, 8, "2004-05-06 11:00"));
    EXPECT_THAT(downloadsOf(*tree.getDay(2004, 5, 6)), ElementsAre(100, 300));
    tree.deleteLog(session("2004-05-06 10:00", 555));
    EXPECT_THAT(downloadsOf(*tree.getDay(2004, 5, 6)), ElementsAre(300));
}

// The running session is never taken for the first of its minute, and a day left with only it, idle, stays.
TEST(clsADT, DeletesNeverTakeTheRunningSessionNorItsDay) {
    clsADT tree;
    clsSessionData running = session("2004-05-06 09:00", 0);
    running.isCurrent = true;
    tree.insertLog(running);
    tree.insertLog(session("2004-05-06 10:00", 10));
    tree.updateStats();
    tree.deleteLog(session("2004-05-06 09:00", 555));
    tree.deleteLog(session("2004-05-06 10:00", 10));
    ASSERT_NE(tree.getDay(2004, 5, 6), nullptr);
    EXPECT_EQ(tree.getDay(2004, 5, 6)->Count(), 1);
}

// A day, month or year that becomes zero goes; one that keeps traffic stays and is recalculated.
TEST(clsADT, DeletingRemovesThePeriodsLeftWithoutTrafficAndRecalculatesTheOthers) {
    clsADT tree;
    tree.insertLog(session("2004-05-06 10:00", 10, 1));
    tree.insertLog(session("2004-05-07 10:00", 20, 2));
    tree.insertLog(session("2005-01-01 10:00", 0, 0));
    tree.insertLog(session("2005-01-01 11:00", 50, 0));
    tree.updateStats();
    tree.deleteLog(session("2004-05-06 10:00", 10, 1));
    const clsADTMonth* may = tree.getMonth(2004, 5);
    ASSERT_NE(may, nullptr);
    EXPECT_EQ(may->Count(), 1);
    EXPECT_EQ(may->getDL(), ExactAmount(20));
    EXPECT_EQ(tree.getYear(2004)->getUL(), ExactAmount(2));
    tree.deleteLog(session("2005-01-01 11:00", 50, 0));
    ASSERT_EQ(tree.Count(), 1);
    EXPECT_EQ(tree.getYears()[0].getYear(), 2004);
}

TEST(clsADTStatistics, DayOverOddAndEvenNumbersOfSessions) {
    clsADT tree;
    tree.insertLog(session("2004-05-06 09:00", 100, 10, 7, 1));
    tree.insertLog(session("2004-05-06 10:00", 300, 20, 3, 9));
    tree.insertLog(session("2004-05-06 11:00", 200, 60, 5, 2));
    tree.updateStats();
    const clsADTDay& day = *tree.getDay(2004, 5, 6);
    EXPECT_EQ(day.getDLMin(), ExactAmount(100));
    EXPECT_EQ(day.getDLMax(), ExactAmount(300));
    EXPECT_EQ(day.getDLAve(), ExactAmount(200));
    EXPECT_EQ(day.getDLMed(), ExactAmount(200));
    EXPECT_EQ(day.getULAve(), ExactAmount(30));
    EXPECT_EQ(day.getTotalMin(), ExactAmount(110)); // the smallest session, not DLMin + ULMin
    EXPECT_EQ(day.getTotalMax(), ExactAmount(320));
    EXPECT_EQ(day.getMaxDLSpeed(), 7);
    EXPECT_EQ(day.getMaxULSpeed(), 9);

    tree.insertLog(session("2004-05-06 12:00", 400, 1));
    tree.updateStats();
    EXPECT_EQ(tree.getDay(2004, 5, 6)->getDLMed(), ExactAmount(250));
    EXPECT_EQ(tree.getDay(2004, 5, 6)->getULMed(), ExactAmount(15));
    EXPECT_EQ(tree.getDay(2004, 5, 6)->getULAve(), ExactAmount::ratio(91, 4));
}

TEST(clsADTStatistics, MonthIsOverItsDaysWithSessionsNotOverSessions) {
    clsADT tree;
    tree.insertLog(session("2004-05-06 09:00", 1));
    tree.insertLog(session("2004-05-09 09:00", 2));
    tree.insertLog(session("2004-05-09 10:00", 2));
    tree.insertLog(session("2004-05-09 11:00", 2));
    tree.updateStats();
    const clsADTMonth& may = *tree.getMonth(2004, 5);
    EXPECT_EQ(may.getDL(), ExactAmount(7));
    EXPECT_EQ(may.getDLAve(), ExactAmount::ratio(7, 2));
    EXPECT_EQ(may.getDLMed(), ExactAmount::ratio(7, 2));
    EXPECT_EQ(may.getDLMin(), ExactAmount(1));
    EXPECT_EQ(may.getDLMax(), ExactAmount(6));
}

TEST(clsADTStatistics, SumsStayExactBeyondDoublePrecision) {
    clsADT tree;
    const double big = 9007199254740992.0; // 2^53
    tree.insertLog(session("2004-05-06 09:00", big));
    tree.insertLog(session("2004-05-06 10:00", 1));
    tree.insertLog(session("2004-05-06 11:00", 1));
    tree.updateStats();
    EXPECT_EQ(wholeBytesToString(tree.getYear(2004)->downloadedBytes()), "9007199254740994");
    EXPECT_EQ(formatGroupedBytes(tree.getDay(2004, 5, 6)->getDL()), "9 007 199 254 740 994");
}

TEST(clsADTFile, SavingWhatItWroteGivesTheSameBytesAndNeverWritesTheRunningSession) {
    twtest::TempDir dir;
    clsADT tree;
    tree.insertLog(session("2004-05-06 09:30", 123456789, 2345678, 145000, 31000, "2004-05-06 11:02"));
    tree.insertLog(session("2003-01-06 09:30", 1e20, 1, 2, 3, "2003-01-06 11:02"));
    tree.insertLog(session("2004-05-01 23:00", 5, 6, 7, 8, "2004-05-01 23:59"));
    clsSessionData running = session("2004-05-06 12:00", 10);
    running.isCurrent = true;
    tree.insertLog(running);
    ASSERT_TRUE(tree.save(dir.file("datasource.txt"), DateTime::fromCivil(2004, 5, 6, 9)));
    const std::string written = dir.read("datasource.txt");

    clsADT again;
    ASSERT_TRUE(again.load(dir.file("datasource.txt")));
    ASSERT_TRUE(again.save(dir.file("datasource.txt")));
    EXPECT_EQ(dir.read("datasource.txt"), written);
    EXPECT_EQ(written, kHeader + "2004-05-06 09:30;2004-05-06 11:02;123456789;2345678;145000;31000;\r\n"
                                 "2004-05-01 23:00;2004-05-01 23:59;5;6;7;8;\r\n"
                                 "2003-01-06 09:30;2003-01-06 11:02;100000000000000000000;1;2;3;\r\n");
}

TEST(clsADTFile, KeepsCommentsAndBrokenLinesWhereTheyWere) {
    twtest::TempDir dir;
    const std::string kept = "2004-05-06 09:30;2004-05-06 11:02;10;20;1;2;\r\n"
                             "'a comment\r\n"
                             "2004-05-06 garbage;;;\r\n"
                             "2004-05-07 09:30;2004-05-07 11:02;-5;20;1;2;\r\n"
                             "2004-05-07 10:00;2004-05-07 11:00;30;40;1;2;\r\n"
                             "\r\n"
                             "'last words\r\n";
    dir.write("datasource.txt", kHeader + "'before every session\n" + kept);
    clsADT tree;
    ASSERT_TRUE(tree.load(dir.file("datasource.txt")));
    tree.updateStats();
    EXPECT_EQ(tree.getMonth(2004, 5)->Count(), 2);
    EXPECT_EQ(tree.getDay(2004, 5, 6)->getDL(), ExactAmount(10));

    ASSERT_TRUE(tree.save(dir.file("datasource.txt")));
    EXPECT_EQ(dir.read("datasource.txt"), kHeader + "'before every session\r\n" + kept) << "nothing moved";

    // Lines that followed a deleted session keep their order, at the end.
    tree.deleteLog(session("2004-05-06 09:30", 10, 20, 1, 2, "2004-05-06 11:02"));
    ASSERT_TRUE(tree.save(dir.file("datasource.txt")));
    EXPECT_EQ(dir.read("datasource.txt"), kHeader + "'before every session\r\n"
                                                    "2004-05-07 10:00;2004-05-07 11:00;30;40;1;2;\r\n"
                                                    "\r\n"
                                                    "'last words\r\n"
                                                    "'a comment\r\n"
                                                    "2004-05-06 garbage;;;\r\n"
                                                    "2004-05-07 09:30;2004-05-07 11:02;-5;20;1;2;\r\n");
}

TEST(clsADTFile, ReadsCrOnlyAndMixedLineEndsAlike) {
    twtest::TempDir dir;
    dir.write("datasource.txt", "'a\r'b\r\n'c\n2004-05-06 09:30;2004-05-06 11:02;10;20;1;2;\r"
                                "2004-05-06 12:00;2004-05-06 13:00;30;40;1;2;\r\r"
                                "2004-05-07 12:00;2004-05-07 13:00;50;60;1;2;");
    clsADT tree;
    ASSERT_TRUE(tree.load(dir.file("datasource.txt")));
    EXPECT_THAT(tree.header(), ElementsAre("'a", "'b", "'c"));
    ASSERT_NE(tree.getDay(2004, 5, 6), nullptr);
    EXPECT_THAT(downloadsOf(*tree.getDay(2004, 5, 6)), ElementsAre(10, 30));
    EXPECT_THAT(downloadsOf(*tree.getDay(2004, 5, 7)), ElementsAre(50));
}

TEST(clsADTFile, ThreeLinesAreAnEmptyHistoryAndTwoLinesAFileNeverOverwritten) {
    twtest::TempDir dir;
    dir.write("three.txt", "a\r\nb\r\nc\r\n");
    dir.write("two.txt", "a\r\n2004-05-06 09:30;2004-05-06 11:02;10;20;1;2;\r\n");
    dir.write("empty.txt", "");
    clsADT three;
    EXPECT_TRUE(three.load(dir.file("three.txt")));
    EXPECT_EQ(three.Count(), 0);
    EXPECT_TRUE(three.canBeSaved());
    clsADT two;
    EXPECT_FALSE(two.load(dir.file("two.txt")));
    EXPECT_EQ(two.fileState(), clsADT::FileState::TooShort);
    EXPECT_FALSE(two.save(dir.file("two.txt")));
    EXPECT_EQ(dir.read("two.txt"), "a\r\n2004-05-06 09:30;2004-05-06 11:02;10;20;1;2;\r\n");
    clsADT empty;
    EXPECT_FALSE(empty.load(dir.file("empty.txt")));
    EXPECT_TRUE(empty.canBeSaved()) << "an empty file is a new history";
    clsADT missing;
    EXPECT_TRUE(missing.load(dir.file("none.txt")));
    EXPECT_EQ(missing.Count(), 0);
    EXPECT_EQ(missing.fileState(), clsADT::FileState::Missing);
}

TEST(clsADTFile, AFailedSaveReportsFalseAndLeavesTheOldEntryAlone) {
    twtest::TempDir dir;
    std::filesystem::create_directory(dir.path() / "datasource.txt");
    clsADT tree;
    tree.insertLog(session("2004-05-06 09:30", 10));
    // A folder cannot be replaced by a file.
    EXPECT_FALSE(tree.save(dir.file("datasource.txt")));
    EXPECT_TRUE(std::filesystem::is_directory(dir.path() / "datasource.txt"));
}

TEST(clsADTFile, ReportsProgressInOrderWithinZeroToHundred) {
    twtest::TempDir dir;
    std::string content = kHeader;
    for (int i = 0; i < 2000; ++i) {
        content += "2004-05-06 09:30;2004-05-06 11:02;1;2;3;4;\r\n";
    }
    dir.write("datasource.txt", content);
    clsADT tree;
    RecordingProgress progress;
    ASSERT_TRUE(tree.load(dir.file("datasource.txt"), &progress));
    EXPECT_THAT(progress.labels, ElementsAre("Opening the history file", "Parsing the history file", "Done"));
    EXPECT_TRUE(std::is_sorted(progress.values.begin(), progress.values.end()));
    EXPECT_EQ(progress.values.front(), 0);
    EXPECT_EQ(progress.values.back(), 100);
    EXPECT_LE(progress.values.size(), 63u);
    EXPECT_EQ(tree.getDay(2004, 5, 6)->Count(), 2000);
}
