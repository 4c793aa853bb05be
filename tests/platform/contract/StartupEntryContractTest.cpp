#include "StartupSandbox.h"
#include "platform/FileSystem.h"
#include "platform/StartupEntry.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace tw {
namespace {

// A copy of the program in a folder whose name has a blank, beside the test program.
std::string copyPath(const std::string& folder) {
    const std::filesystem::path exe(executablePath());
    return (exe.parent_path() / folder / exe.filename()).string();
}

TEST(StartupEntryContract, SetQueryAndUnsetRoundTrip) {
    twtest::StartupSandbox sandbox;
    const auto entry = makeStartupEntry(copyPath("Tally wave"));
    EXPECT_FALSE(entry->isStartUpSet());
    EXPECT_EQ(entry->setStartUp(false), "1"); // nothing to remove
    EXPECT_EQ(entry->setStartUp(true), "1");
    EXPECT_TRUE(entry->isStartUpSet());
    // The path is quoted, and the entry belongs to this user alone.
    EXPECT_EQ(sandbox.userEntryCommand(), "\"" + copyPath("Tally wave") + "\" -winStartUp");
    EXPECT_EQ(entry->setStartUp(true), "1"); // enabling twice is harmless
    EXPECT_TRUE(makeStartupEntry(copyPath("Tally wave"))->isStartUpSet());
    EXPECT_EQ(entry->setStartUp(false), "1");
    EXPECT_FALSE(entry->isStartUpSet());
}

TEST(StartupEntryContract, AnEntryOfAnotherCopyIsNotOursAndDisablingLeavesItAlone) {
    twtest::StartupSandbox sandbox;
    const auto other = makeStartupEntry(copyPath("Other copy"));
    ASSERT_EQ(other->setStartUp(true), "1");
    const auto ours = makeStartupEntry(copyPath("Tally wave"));
    EXPECT_FALSE(ours->isStartUpSet());
    EXPECT_EQ(ours->setStartUp(false), "1");
    EXPECT_TRUE(other->isStartUpSet());
    // A path that only begins like ours is another copy as well.
    EXPECT_FALSE(makeStartupEntry(copyPath("Other"))->isStartUpSet());
}

TEST(StartupEntryContract, AnUnquotedEntryLeftByAnOlderVersionIsRecognisedAndRemoved) {
    twtest::StartupSandbox sandbox;
    const std::string exe = copyPath("Tools");
    sandbox.plantLegacyEntry(exe, " -debug");
    const auto entry = makeStartupEntry(exe);
    EXPECT_TRUE(entry->isStartUpSet());
    EXPECT_EQ(entry->setStartUp(false), "1");
    EXPECT_FALSE(entry->isStartUpSet());
}

} // namespace
} // namespace tw
