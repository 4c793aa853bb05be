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

TEST(CommandLineTest, ExportTakesAFormatAndOptionalWholeDates) {
    const auto all = parseCommandLine({"--export", "json"});
    EXPECT_EQ(all.exportFormat, "json");
    EXPECT_TRUE(all.isConsoleCommand());
    EXPECT_TRUE(all.error.empty());
    const auto some = parseCommandLine({"--export", "csv", "--to", "2024-03-14", "--from", "2024-02-15"});
    EXPECT_EQ(some.from, DateTime::fromCivil(2024, 2, 15));
    EXPECT_EQ(some.to, DateTime::fromCivil(2024, 3, 14));
    EXPECT_TRUE(some.error.empty());

    EXPECT_EQ(parseCommandLine({"--export"}).error, "--export needs the format: csv or json.");
    EXPECT_EQ(parseCommandLine({"--export", "xml"}).error, "--export needs the format: csv or json.");
    EXPECT_EQ(parseCommandLine({"--export", "csv", "--from"}).error, "--from needs a date as YYYY-MM-DD.");
    EXPECT_EQ(parseCommandLine({"--export", "csv", "--to", "2024-02-30"}).error, "--to needs a date as YYYY-MM-DD.");
    EXPECT_EQ(parseCommandLine({"--export", "csv", "--to", "2024-02-03 10:00"}).error,
              "--to needs a date as YYYY-MM-DD.");
    EXPECT_EQ(parseCommandLine({"--from", "2024-02-03"}).error, "--from and --to are only valid with --export.");
    EXPECT_EQ(parseCommandLine({"--export", "csv", "--from", "2024-02-03", "--to", "2024-02-02"}).error,
              "--from is later than --to.");
    EXPECT_EQ(parseCommandLine({"--report", "--export", "json"}).error,
              "--report and --export cannot be used together.");
}
