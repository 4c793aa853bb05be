#include "platform/FileSystem.h"
#include "platform/ProcessList.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace tw {
namespace {

std::size_t entriesIn(const std::filesystem::path& dir) {
    return static_cast<std::size_t>(
        std::distance(std::filesystem::directory_iterator(dir), std::filesystem::directory_iterator()));
}

TEST(FileSystemContract, AtomicWriteCreatesAndReplacesAFileWithoutLeavingTemporaryFiles) {
    twtest::TempDir dir;
    const std::string path = dir.file("datasource.txt");
    ASSERT_TRUE(writeFileAtomically(path, "first\r\nversion\r\n"));
    EXPECT_EQ(dir.read("datasource.txt"), "first\r\nversion\r\n");

    ASSERT_TRUE(writeFileAtomically(path, "second"));
    EXPECT_EQ(dir.read("datasource.txt"), "second");
    ASSERT_TRUE(writeFileAtomically(path, ""));
    EXPECT_EQ(dir.read("datasource.txt"), "");
    EXPECT_EQ(entriesIn(dir.path()), 1u);
}

TEST(FileSystemContract, AtomicWriteThatCannotRenameReportsFailureAndLeavesTheOldEntryAndNoTemporaryFile) {
    twtest::TempDir dir;
    // A folder sits where the file should go: the rename over it must fail on every system.
    std::filesystem::create_directory(dir.path() / "busy");
    dir.write("busy/inside.txt", "keep");
    EXPECT_FALSE(writeFileAtomically(dir.file("busy"), "new content"));
    EXPECT_EQ(dir.read("busy/inside.txt"), "keep");
    EXPECT_EQ(entriesIn(dir.path()), 1u);
}

TEST(FileSystemContract, AtomicWriteIntoAMissingFolderFails) {
    twtest::TempDir dir;
    EXPECT_FALSE(writeFileAtomically(dir.file("missing/settings.txt"), "x"));
}

TEST(FileSystemContract, AppendCreatesTheFileAndAddsToTheEnd) {
    twtest::TempDir dir;
    const std::string path = dir.file("log.txt");
    ASSERT_TRUE(appendToFile(path, "one;\r\n"));
    ASSERT_TRUE(appendToFile(path, "two;\r\n"));
    EXPECT_EQ(dir.read("log.txt"), "one;\r\ntwo;\r\n");
    EXPECT_FALSE(appendToFile(dir.file("missing/log.txt"), "x"));
}

TEST(FileSystemContract, FileIdentityStaysThroughAppendsAndChangesWhenTheFileIsReplaced) {
    twtest::TempDir dir;
    const std::string path = dir.file("history.txt");
    EXPECT_FALSE(fileIdentity(path));
    ASSERT_TRUE(appendToFile(path, "abc"));
    const auto first = fileIdentity(path);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->size, 3u);
    EXPECT_EQ(fileIdentity(path), first);
    ASSERT_TRUE(appendToFile(path, "def"));
    const auto appended = fileIdentity(path);
    ASSERT_TRUE(appended);
    EXPECT_EQ(appended->device, first->device);
    EXPECT_EQ(appended->file, first->file);
    EXPECT_EQ(appended->size, 6u);
    ASSERT_TRUE(writeFileAtomically(path, "abcdef"));
    const auto replaced = fileIdentity(path);
    ASSERT_TRUE(replaced);
    EXPECT_EQ(replaced->size, 6u);
    EXPECT_NE(replaced->file, first->file);
}

TEST(FileSystemContract, NonAsciiFileNamesRoundTrip) {
    twtest::TempDir dir;
    const std::string path = dir.file("d\xC3\xA9j\xC3\xA0-vu.txt"); // UTF-8 "déjà-vu.txt"
    ASSERT_TRUE(writeFileAtomically(path, "abc"));
    ASSERT_TRUE(appendToFile(path, "def"));
    EXPECT_EQ(dir.read("d\xC3\xA9j\xC3\xA0-vu.txt"), "abcdef");
}

TEST(FileSystemContract, ExecutablePathNamesThisRunningProgram) {
    const std::string path = executablePath();
    ASSERT_FALSE(path.empty());
    const std::filesystem::path exe(path);
    EXPECT_TRUE(exe.is_absolute()) << path;
    EXPECT_TRUE(std::filesystem::is_regular_file(exe)) << path;
    std::string name = exe.filename().string();
    std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::tolower(c); });
    EXPECT_EQ(name, makeSystemProcessList()->ownExeFileName());
}

TEST(FileSystemContract, WritableFolderIsReportedAndAMissingOneIsNot) {
    twtest::TempDir dir;
    EXPECT_TRUE(isDirectoryWritable(dir.path().string()));
    EXPECT_FALSE(isDirectoryWritable(dir.file("missing")));
    EXPECT_EQ(entriesIn(dir.path()), 0u); // the check leaves nothing behind
}

TEST(FileSystemContract, EnvironmentValuesAreReadAndAnUnsetOneIsEmpty) {
    EXPECT_FALSE(environmentValue("PATH").empty());
    EXPECT_EQ(environmentValue("TALLYWAVE_SURELY_UNSET_VARIABLE"), "");
}

} // namespace
} // namespace tw
