#include "common/TextFile.h"

#include <gtest/gtest.h>

using Lines = std::vector<std::string>;

TEST(TextFile, CrLfLfAndABareCrEachEndALine) {
    EXPECT_EQ(tw::splitLines("a\r\nb\nc"), (Lines{"a", "b", "c"}));
    EXPECT_EQ(tw::splitLines("a\r\n\r\n"), (Lines{"a", ""}));
    EXPECT_EQ(tw::splitLines("a\rb\rc\r"), (Lines{"a", "b", "c"}));
    EXPECT_EQ(tw::splitLines("a\r\rb\n\rc"), (Lines{"a", "", "b", "", "c"}));
    EXPECT_TRUE(tw::splitLines("").empty());
}

TEST(TextFile, ABlockLeavesItsUnfinishedLineAndASplitCrLfForTheNext) {
    // Fed in every possible pair of blocks, the lines are those of the whole text.
    const std::string text = "one\r\ntwo\rthree\nfour\r\n\rfive";
    const Lines whole = tw::splitLines(text);
    ASSERT_EQ(whole, (Lines{"one", "two", "three", "four", "", "five"}));
    for (std::size_t cut = 0; cut <= text.size(); ++cut) {
        Lines lines;
        auto collect = [&lines](std::string_view l) { lines.emplace_back(l); };
        const std::size_t used = tw::forEachLine(std::string_view(text).substr(0, cut), false, collect);
        tw::forEachLine(std::string_view(text).substr(used), true, collect);
        EXPECT_EQ(lines, whole) << "cut at " << cut;
    }
}
