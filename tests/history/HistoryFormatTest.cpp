#include "history/HistoryFormat.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace tw;

namespace {

struct Line {
    std::string text;
    std::uint64_t end;
    friend bool operator==(const Line&, const Line&) = default;
};

std::vector<Line> linesOf(const std::string& path, LinesRead* result = nullptr, std::uint64_t from = 0,
                          std::uint64_t* wholeLinesEnd = nullptr) {
    std::vector<Line> lines;
    const LinesRead read = forEachFileLine(
        path,
        [&](std::string_view line, std::uint64_t end) {
            lines.push_back({std::string(line), end});
        },
        from, wholeLinesEnd);
    if (result != nullptr) {
        *result = read;
    }
    return lines;
}

} // namespace

TEST(HistoryFormatTest, LinesAcrossBlockBoundariesComeWholeWithTheirOffsets) {
    twtest::TempDir dir;
    // A CR LF split by the first 1 MiB block, then a line longer than a block, then a last line without its end.
    const std::size_t block = std::size_t{1} << 20;
    const std::string first(block - 1, 'a');
    const std::string longLine(block * 2 + 7, 'b');
    dir.write("datasource.txt", first + "\r\n" + longLine + "\rc\nlast");
    LinesRead read{};
    const auto lines = linesOf(dir.file("datasource.txt"), &read);
    EXPECT_EQ(read, LinesRead::Read);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], (Line{first, block - 1}));
    EXPECT_EQ(lines[1], (Line{longLine, block + 1 + longLine.size()}));
    EXPECT_EQ(lines[2], (Line{"c", block + 1 + longLine.size() + 2}));
    EXPECT_EQ(lines[3], (Line{"last", block + 1 + longLine.size() + 7}));
}

TEST(HistoryFormatTest, WhatIsNoReadableFileIsToldApart) {
    twtest::TempDir dir;
    LinesRead read{};
    EXPECT_TRUE(linesOf(dir.file("none.txt"), &read).empty());
    EXPECT_EQ(read, LinesRead::Missing);
    std::filesystem::create_directory(dir.file("folder"));
    linesOf(dir.file("folder"), &read);
    EXPECT_EQ(read, LinesRead::NotAFile);
    EXPECT_FALSE(readFileLines(dir.file("folder")));
    dir.write("empty.txt", "");
    EXPECT_EQ(readFileLines(dir.file("empty.txt")), std::vector<std::string>{});
}

TEST(HistoryFormatTest, ReadingOnFromAnOffsetTellsWhereTheWholeLinesEnd) {
    twtest::TempDir dir;
    std::uint64_t wholeEnd = 0;
    dir.write("a.txt", "one\r\ntwo\r\nthr");
    EXPECT_EQ(linesOf(dir.file("a.txt"), nullptr, 5, &wholeEnd), (std::vector<Line>{{"two", 8}, {"thr", 13}}));
    EXPECT_EQ(wholeEnd, 10u) << "a last line without its end may still grow";
    dir.write("b.txt", "one\r\ntwo\r");
    EXPECT_EQ(linesOf(dir.file("b.txt"), nullptr, 0, &wholeEnd).size(), 2u);
    EXPECT_EQ(wholeEnd, 9u) << "a bare CR ends its line";
    dir.write("c.txt", "one\n");
    linesOf(dir.file("c.txt"), nullptr, 4, &wholeEnd);
    EXPECT_EQ(wholeEnd, 4u);
}
