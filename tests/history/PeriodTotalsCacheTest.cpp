#include "history/PeriodTotalsCache.h"
#include "history/HistoryFile.h"

#include "common/TextFile.h"
#include "platform/FileSystem.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <vector>

using namespace tw;

namespace {

constexpr const char* kHeader = "'2004-03-01 08:00:00\r\n'Source file for Tallywave\r\n"
                                "'Do not change this file unless absolutely sure.\r\n";
constexpr const char* kLines = "2004-02-29 08:00;2004-02-29 09:00;1000;100;0;0;\r\n"
                               "2004-03-14 08:00;2004-03-14 09:00;2000;200;0;0;\r\n"
                               "2004-03-15 08:00;2004-03-15 09:00;4000;400;0;0;\r\n";

struct Sums {
    std::string today, month; // received/sent
    friend bool operator==(const Sums&, const Sums&) = default;
};

Sums sumsOf(const PeriodTotals& t) {
    return {t.todayReceived.toString() + "/" + t.todaySent.toString(),
            t.monthReceived.toString() + "/" + t.monthSent.toString()};
}

void PrintTo(const Sums& s, std::ostream* os) {
    *os << "today " << s.today << ", month " << s.month;
}

class PeriodTotalsCacheTest : public ::testing::Test {
protected:
    twtest::TempDir dir;
    std::string path = dir.file("datasource.txt");
    DateTime now = DateTime::fromCivil(2004, 3, 15, 14, 0, 30);

    Sums load(const DateTime& at) { return sumsOf(loadPeriodTotals(path, at)); }
    Sums load() { return load(now); }
    // What a reader without any cache finds.
    Sums exact(const DateTime& at) {
        const auto cache = readWholeFile(periodTotalsCachePath(path));
        forgetPeriodTotalsCache(path);
        const Sums sums = sumsOf(*tryLoadPeriodTotals(path, at));
        if (cache) {
            dir.write("datasource.totals", *cache);
        }
        return sums;
    }
    Sums exact() { return exact(now); }
    // Adds a million to every remembered sum, keeping the cache well-formed: a load that trusts the cache shows it.
    void poisonCache() {
        auto cache = readPeriodTotalsCache(path);
        ASSERT_TRUE(cache);
        for (std::string* sum : {&cache->todayReceived, &cache->todaySent, &cache->monthReceived, &cache->monthSent}) {
            *sum = std::to_string(std::stoull(*sum) + 1'000'000);
        }
        ASSERT_TRUE(writePeriodTotalsCache(path, *cache));
    }
    void appendText(const std::string& text) { ASSERT_TRUE(appendToFile(path, text)); }
};

} // namespace

TEST_F(PeriodTotalsCacheTest, ALoadReadsOnlyWhatWasAppendedSinceTheRememberedLength) {
    dir.write("datasource.txt", std::string(kHeader) + kLines);
    EXPECT_EQ(load(), (Sums{"4000/400", "6000/600"}));
    ASSERT_TRUE(readPeriodTotalsCache(path));
    poisonCache();
    EXPECT_EQ(load(), (Sums{"1004000/1000400", "1006000/1000600"})) << "nothing new: the cache alone";
    appendText("2004-03-15 10:00;2004-03-15 11:00;8;1;0;0;\r\n");
    EXPECT_EQ(load(), (Sums{"1004008/1000401", "1006008/1000601"})) << "the cache and the appended line";
}

TEST_F(PeriodTotalsCacheTest, AnyChangeBeforeTheRememberedLengthSendsTheLoadThroughTheWholeFile) {
    const std::string text = std::string(kHeader) + kLines;
    struct Change {
        const char* what;
        std::function<void()> apply;
    };
    const std::vector<Change> changes = {
        {"replaced by a rewrite", [&] { ASSERT_TRUE(writeFileAtomically(path, text)); }},
        {"shrunk", [&] { std::filesystem::resize_file(path, text.size() - 10); }},
        {"edited in place near the end",
         [&] {
             std::fstream f(path, std::ios::in | std::ios::out | std::ios::binary);
             f.seekp(static_cast<std::streamoff>(text.size() - 12));
             f << '9';
         }},
        {"edited, then appended to",
         [&] {
             dir.write("datasource.txt",
                       std::string(kHeader) + "2004-03-15 08:00;2004-03-15 09:00;5;5;0;0;\r\n" + kLines);
         }},
        {"the cache damaged",
         [&] {
             std::string cache = dir.read("datasource.totals");
             cache[cache.find("monthSent=") + 10] = '7';
             dir.write("datasource.totals", cache);
         }},
        {"the cache cut short", [&] { dir.write("datasource.totals", dir.read("datasource.totals").substr(0, 80)); }},
    };
    for (const Change& change : changes) {
        forgetPeriodTotalsCache(path);
        dir.write("datasource.txt", text);
        load();
        poisonCache();
        change.apply();
        EXPECT_EQ(load(), exact()) << change.what;
        EXPECT_EQ(load(), exact()) << change.what << ", read again from the cache just written";
    }
}

TEST_F(PeriodTotalsCacheTest, ANewDayOrMonthPeriodTakesOverOnlyWhatCannotHaveChanged) {
    dir.write("datasource.txt", std::string(kHeader) + kLines);
    load();
    poisonCache();
    // The next day: every session read started before it, so today begins at nothing; the month stays remembered.
    EXPECT_EQ(load(now.addDays(1)), (Sums{"0/0", "1006000/1000600"}));
    // A new month: both begin at nothing.
    poisonCache();
    EXPECT_EQ(load(DateTime::fromCivil(2004, 4, 1, 0, 0, 5)), (Sums{"0/0", "0/0"}));

    // A session dated in the new day among the lines read (a clock set back, a hand-made line): the whole file.
    forgetPeriodTotalsCache(path);
    dir.write("datasource.txt", std::string(kHeader) + kLines + "2004-03-16 08:00;2004-03-16 09:00;16;1;0;0;\r\n");
    load();
    poisonCache();
    EXPECT_EQ(load(now.addDays(1)), (Sums{"16/1", "6016/601"}));
    // Months that begin on another day are other periods: the same day, but not the same month sums.
    poisonCache();
    EXPECT_EQ(sumsOf(loadPeriodTotals(path, now.addDays(1), 15)), (Sums{"16/1", "4016/401"}));
}

TEST_F(PeriodTotalsCacheTest, ALastLineWithoutItsLineEndIsCountedOnceWhenItIsCompletedLater) {
    dir.write("datasource.txt", std::string(kHeader) + kLines + "2004-03-15 12:00;2004-03-15 13:00;30;3;0;0;");
    EXPECT_EQ(load(), (Sums{"4030/403", "6030/603"}));
    appendText("\r\n2004-03-15 13:00;2004-03-15 14:00;50;5;0;0;\r\n");
    EXPECT_EQ(load(), (Sums{"4080/408", "6080/608"}));
    EXPECT_EQ(load(), exact());
}

TEST_F(PeriodTotalsCacheTest, SumsBeyondWhatADoubleHoldsAreRememberedExactly) {
    dir.write("datasource.txt",
              std::string(kHeader) +
                  "2004-03-15 08:00;2004-03-15 09:00;123456789012345678901234567;9007199254740993;0;0;\r\n");
    load();
    EXPECT_NE(dir.read("datasource.totals").find("todayReceived=123456789012345678901234567\r\n"), std::string::npos);
    appendText("2004-03-15 10:00;2004-03-15 11:00;1;1;0;0;\r\n");
    EXPECT_EQ(load().today, "123456789012345678901234568/9007199254740994");
}

TEST_F(PeriodTotalsCacheTest, NoCacheIsKeptForAFileThatEndsInsideItsHeader) {
    dir.write("datasource.txt", "'h1\r\n'h2\r\n");
    load();
    EXPECT_FALSE(std::filesystem::exists(periodTotalsCachePath(path)));
    appendText("'h3\r\n2004-03-15 08:00;2004-03-15 09:00;7;7;0;0;\r\n");
    EXPECT_EQ(load(), (Sums{"7/7", "7/7"}));
}

TEST_F(PeriodTotalsCacheTest, RemovingTodaysLinesForgetsTheRememberedTotals) {
    dir.write("datasource.txt", std::string(kHeader) + kLines);
    load();
    poisonCache();
    ASSERT_TRUE(removeCurrentPeriod(path, true, now));
    EXPECT_EQ(load(), (Sums{"0/0", "2000/200"}));
}
