#include "app/CommandLine.h"

#include <gtest/gtest.h>

using namespace tw;

TEST(CommandLineTest, NoArgumentsShowTheWindow) {
    const auto o = parseCommandLine({});
    EXPECT_FALSE(o.debug);
    EXPECT_FALSE(o.startsHidden());
    EXPECT_FALSE(o.isConsoleCommand());
}

TEST(CommandLineTest, StartUpOptionsAreFoundAnywhereInTheJoinedCommandLineWithExactCase) {
    EXPECT_TRUE(parseCommandLine({"-winStartUp"}).startsHidden());
    EXPECT_TRUE(parseCommandLine({"x-winStartUpx"}).startsHidden());
    EXPECT_TRUE(parseCommandLine({"/path", "--debug"}).debug);
    EXPECT_FALSE(parseCommandLine({"-winstartup"}).winStartUp);
    EXPECT_FALSE(parseCommandLine({"-DEBUG"}).debug);
    EXPECT_TRUE(parseCommandLine({"\"/opt/tw/tallywave\" -winStartUp"}).winStartUp);
}

TEST(CommandLineTest, DebugWinsOverWinStartUp) {
    const auto o = parseCommandLine({"-winStartUp", "-debug"});
    EXPECT_TRUE(o.debug);
    EXPECT_TRUE(o.winStartUp);
    EXPECT_FALSE(o.startsHidden());
}

TEST(CommandLineTest, ConsoleOptionsAreWholeArguments) {
    const auto r = parseCommandLine({"--report", "--json"});
    EXPECT_TRUE(r.report);
    EXPECT_TRUE(r.json);
    EXPECT_TRUE(r.isConsoleCommand());
    EXPECT_TRUE(r.error.empty());
    EXPECT_TRUE(parseCommandLine({"--help"}).help);
    EXPECT_TRUE(parseCommandLine({"--version"}).version);
    EXPECT_FALSE(parseCommandLine({"--reports"}).report);
    EXPECT_FALSE(parseCommandLine({"--json"}).error.empty());
    EXPECT_EQ(versionText().rfind("Tallywave ", 0), 0u);
}
