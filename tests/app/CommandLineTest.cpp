#include "app/CommandLine.h"
#include "app/ConsoleCommands.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace tw;

TEST(CommandLineTest, StartUpOptionsAreFoundAnywhereInTheJoinedCommandLineWithExactCaseAndDebugWins) {
    const auto none = parseCommandLine({});
    EXPECT_FALSE(none.debug);
    EXPECT_FALSE(none.startsHidden());
    EXPECT_FALSE(isConsoleCommand(none));
    EXPECT_TRUE(parseCommandLine({"-winStartUp"}).startsHidden());
    EXPECT_TRUE(parseCommandLine({"x-winStartUpx"}).startsHidden());
    EXPECT_TRUE(parseCommandLine({"/path", "--debug"}).debug);
    EXPECT_FALSE(parseCommandLine({"-winstartup"}).winStartUp);
    EXPECT_FALSE(parseCommandLine({"-DEBUG"}).debug);
    EXPECT_TRUE(parseCommandLine({"\"/opt/tw/tallywave\" -winStartUp"}).winStartUp);
    // Debug wins over the start for the tray.
    const auto both = parseCommandLine({"-winStartUp", "-debug"});
    EXPECT_TRUE(both.debug);
    EXPECT_TRUE(both.winStartUp);
    EXPECT_FALSE(both.startsHidden());
}

TEST(CommandLineTest, ConsoleOptionsAreWholeArguments) {
    const auto r = parseCommandLine({"--report", "--json"});
    EXPECT_TRUE(r.report);
    EXPECT_TRUE(r.json);
    EXPECT_TRUE(isConsoleCommand(r));
    EXPECT_TRUE(r.error.empty());
    EXPECT_TRUE(parseCommandLine({"--help"}).help);
    EXPECT_TRUE(parseCommandLine({"--version"}).version);
    EXPECT_FALSE(parseCommandLine({"--reports"}).report);
    EXPECT_FALSE(parseCommandLine({"--json"}).error.empty());
    EXPECT_EQ(versionText().rfind("Tallywave ", 0), 0u);
}

TEST(CommandLineTest, AUsageErrorComesBeforeHelpAndVersionAndPrintsTheHelpToTheErrorStream) {
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(runConsoleCommand(parseCommandLine({"--version", "--json"}), out, err), 2);
    EXPECT_EQ(out.str(), "");
    EXPECT_EQ(err.str(), "--json is only valid with --report.\n\n" + commandLineHelp());

    out.str({});
    err.str({});
    EXPECT_EQ(runConsoleCommand(parseCommandLine({"--version", "--help"}), out, err), 0);
    EXPECT_EQ(out.str(), commandLineHelp());
    out.str({});
    EXPECT_EQ(runConsoleCommand(parseCommandLine({"-debug", "--version"}), out, err), 0);
    EXPECT_EQ(out.str(), versionText() + "\n");
    EXPECT_EQ(err.str(), "");
}

TEST(CommandLineTest, ExportTakesAFormatAndOptionalWholeDates) {
    const auto all = parseCommandLine({"--export", "json"});
    EXPECT_EQ(all.exportFormat, "json");
    EXPECT_TRUE(isConsoleCommand(all));
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
