#include "platform/FileSystem.h"

#include "support/SmallTmpfs.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

TEST(PosixFileSystem, AnAppendThatDoesNotFitOnAFullDiskLeavesTheFileAsItWas) {
    TW_SKIP_WITHOUT_TMPFS();
    twtest::SmallTmpfs disk;
    const std::string path = disk.file("datasource.txt");
    const std::string before = "header\r\n";
    ASSERT_TRUE(tw::appendToFile(path, before));
    disk.fill();

    // More than the free room of the file's last page: part of it could be written before the disk was full.
    EXPECT_FALSE(tw::appendToFile(path, std::string(10000, 's')));
    EXPECT_EQ(disk.dir().read("datasource.txt").size(), before.size()) << "cut back to its old length";
    EXPECT_FALSE(tw::appendToFile(disk.file("new.txt"), std::string(10000, 'n')));
    EXPECT_FALSE(std::filesystem::exists(disk.file("new.txt"))) << "a file the failed append created is removed";

    disk.empty();
    EXPECT_TRUE(tw::appendToFile(path, "line\r\n"));
    EXPECT_EQ(disk.dir().read("datasource.txt"), before + "line\r\n");
}

} // namespace
