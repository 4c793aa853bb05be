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

std::vector<Line> linesOf(const std::string& path, LinesRead* result = nullptr) {
    std::vector<Line> lines;
    const LinesRead read = forEachFileLine(path, [&](std::string_view line, std::uint64_t end) {
        lines.push_back({std::string(line), end});
    });
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
