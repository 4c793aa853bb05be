#include "platform/StartupEntry.h"

#include "support/TempDir.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const std::string kExe = "/opt/Tally Wave/bin/tallywave";

// Points $XDG_CONFIG_HOME at a temporary folder for the test's life.
class StartupEntryTest : public testing::Test {
protected:
    void SetUp() override {
        if (const char* old = std::getenv("XDG_CONFIG_HOME")) {
            m_old = old;
        }
        ::setenv("XDG_CONFIG_HOME", m_home.path().c_str(), 1);
    }
    void TearDown() override {
        if (m_old) {
            ::setenv("XDG_CONFIG_HOME", m_old->c_str(), 1);
        } else {
            ::unsetenv("XDG_CONFIG_HOME");
        }
    }

    std::string entryFile() const { return m_home.file("autostart/tallywave.desktop"); }
    void writeEntry(const std::string& content) const {
        std::filesystem::create_directories(m_home.path() / "autostart");
        m_home.write("autostart/tallywave.desktop", content);
    }
    std::string readEntry() const { return m_home.read("autostart/tallywave.desktop"); }

    twtest::TempDir m_home;
    std::optional<std::string> m_old;
};

} // namespace

// Disabling removes the entry, and succeeds when there is none.
TEST_F(StartupEntryTest, enablingWritesAnAutostartEntryWithTheQuotedPathAndDisablingRemovesIt) {
    auto entry = tw::makeStartupEntry(kExe);
    EXPECT_FALSE(entry->isStartUpSet());
    EXPECT_EQ(entry->setStartUp(false), "1");
    EXPECT_EQ(entry->setStartUp(true), "1");
    EXPECT_EQ(entry->setStartUp(true), "1");
    const std::string content = readEntry();
    EXPECT_NE(content.find("[Desktop Entry]\n"), std::string::npos);
    EXPECT_NE(content.find("\nType=Application\n"), std::string::npos);
    EXPECT_NE(content.find("\nName=Tallywave\n"), std::string::npos);
    EXPECT_NE(content.find("\nExec=\"/opt/Tally Wave/bin/tallywave\" -winStartUp\n"), std::string::npos);
    EXPECT_TRUE(entry->isStartUpSet());

    EXPECT_EQ(entry->setStartUp(false), "1");
    EXPECT_FALSE(std::filesystem::exists(entryFile()));
    EXPECT_FALSE(entry->isStartUpSet());
}

TEST_F(StartupEntryTest, entryOfAnotherCopyIsNotSetAndDisablingLeavesItAlone) {
    const std::string foreign = "[Desktop Entry]\nType=Application\nName=Tallywave\n"
                                "Exec=\"/home/other/tallywave\" -winStartUp\n";
    writeEntry(foreign);
    auto entry = tw::makeStartupEntry(kExe);
    EXPECT_FALSE(entry->isStartUpSet());
    EXPECT_EQ(entry->setStartUp(false), "1");
    EXPECT_EQ(readEntry(), foreign);
}

TEST_F(StartupEntryTest, oldUnquotedEntriesAndExtraSwitchesStillCountAsSet) {
    writeEntry("[Desktop Entry]\r\nExec=/opt/Tally Wave/bin/tallywave -winStartUp -debug\r\n");
    EXPECT_TRUE(tw::makeStartupEntry(kExe)->isStartUpSet());
    writeEntry("[Desktop Entry]\nExec=\"/opt/Tally Wave/bin/tallywave\" -winStartUp -debug\n");
    EXPECT_TRUE(tw::makeStartupEntry(kExe)->isStartUpSet());
    writeEntry("[Desktop Entry]\nExec=\"/opt/Tally Wave/bin/tallywave\"\n");
    EXPECT_FALSE(tw::makeStartupEntry(kExe)->isStartUpSet());
    writeEntry("[Desktop Entry]\nExec=\"/opt/Tally Wave/bin/tallywave\" -winStartUp\nHidden=true\n");
    EXPECT_FALSE(tw::makeStartupEntry(kExe)->isStartUpSet());
}

TEST_F(StartupEntryTest, anEntryTheDesktopSwitchedOffIsNotSetUntilEnabledAgain) {
    const std::string exec = "[Desktop Entry]\nExec=\"/opt/Tally Wave/bin/tallywave\" -winStartUp\n";
    for (const std::string off : {"X-GNOME-Autostart-enabled=false\n", "Hidden=true \n", "Hidden=true\r\n"}) {
        writeEntry(exec + off);
        auto entry = tw::makeStartupEntry(kExe);
        EXPECT_FALSE(entry->isStartUpSet()) << off;
        EXPECT_EQ(entry->setStartUp(true), "1");
        EXPECT_TRUE(entry->isStartUpSet()) << off;
        EXPECT_NE(readEntry().find("X-GNOME-Autostart-enabled=true\n"), std::string::npos);
    }
    writeEntry(exec + "X-GNOME-Autostart-enabled=true\n[Desktop Action Quit]\nHidden=true\n");
    EXPECT_TRUE(tw::makeStartupEntry(kExe)->isStartUpSet());
}

TEST_F(StartupEntryTest, pathsWithQuotesDollarsBackslashesAndPercentSignsRoundTrip) {
    const std::string odd = "/tmp/a \"b\" $c \\d 100%/tallywave";
    auto entry = tw::makeStartupEntry(odd);
    ASSERT_EQ(entry->setStartUp(true), "1");
    EXPECT_NE(readEntry().find("Exec=\"/tmp/a \\\\\"b\\\\\" \\\\$c \\\\\\\\d 100%%/tallywave\" -winStartUp"),
              std::string::npos)
        << readEntry();
    EXPECT_TRUE(entry->isStartUpSet());
    EXPECT_FALSE(tw::makeStartupEntry("/tmp/a")->isStartUpSet());
}

TEST_F(StartupEntryTest, unwritableFolderGivesTheMultiLineErrorText) {
    if (::geteuid() == 0) {
        GTEST_SKIP() << "root writes into read-only folders";
    }
    std::filesystem::create_directories(m_home.path() / "autostart");
    ::chmod((m_home.path() / "autostart").c_str(), 0500);
    const std::string folder = m_home.file("autostart");
    EXPECT_EQ(tw::makeStartupEntry(kExe)->setStartUp(true),
              "Error setting registry string value.\r\nkey: " + folder +
                  "\r\nstring: Tallywave\r\nvalue: \"/opt/Tally Wave/bin/tallywave\" -winStartUp\r\n");
    ::chmod((m_home.path() / "autostart").c_str(), 0700);
}

TEST_F(StartupEntryTest, folderThatCannotBeCreatedGivesTheTwoLineErrorText) {
    m_home.write("autostart", "a file where the folder should be");
    EXPECT_EQ(tw::makeStartupEntry(kExe)->setStartUp(true),
              "Error creating registry key entry.\r\nkey: " + m_home.file("autostart") + "\r\n");
}
