#pragma once

#include "common/DateTime.h"

#include <optional>
#include <string>
#include <vector>

namespace tw {

// What the command line asks for. "-debug" and "-winStartUp" are looked for anywhere in the whole command line
// (case-sensitive), as the start-with-login entry and older shortcuts may wrap them in other text; the console
// options are whole arguments.
struct CommandLineOptions {
    bool debug = false;           // "-debug": window shown, the session is stored without asking on exit
    bool winStartUp = false;      // "-winStartUp": start in the notification area only (unless debug)
    bool help = false;            // --help
    bool version = false;         // --version
    bool report = false;          // --report: print today's and this month's totals and exit
    bool json = false;            // --json, with --report
    std::string exportFormat;     // --export csv|json: print the logged sessions and exit; empty when not asked
    std::optional<DateTime> from; // --from YYYY-MM-DD, with --export: sessions started on that day or later
    std::optional<DateTime> to;   // --to YYYY-MM-DD, with --export: sessions started on that day or earlier
    std::string error;            // a usage error to print (with the help text), empty when none

    // The main window stays hidden: "-winStartUp" without "-debug".
    bool startsHidden() const { return winStartUp && !debug; }
};

// Arguments without the program name.
CommandLineOptions parseCommandLine(const std::vector<std::string>& args);
CommandLineOptions parseCommandLine(int argc, const char* const* argv);

// The usage text printed by --help, and "Tallywave major.minor.patch" for --version.
std::string commandLineHelp();
std::string versionText();

} // namespace tw
