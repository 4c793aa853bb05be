#include "app/ConsoleCommands.h"

#include "app/AppPaths.h"
#include "app/ExportCommand.h"
#include "app/ReportCommand.h"
#include "config/BillingSettings.h"
#include "platform/Clock.h"

#include <ostream>

namespace tw {

namespace {

struct ConsoleCommand {
    bool (*wanted)(const CommandLineOptions& options);
    int (*run)(const CommandLineOptions& options, std::ostream& out, std::ostream& err);
};

// In order of precedence: a usage error first, then help and version before any real work.
constexpr ConsoleCommand kCommands[] = {
    {[](const CommandLineOptions& o) { return !o.error.empty(); },
     [](const CommandLineOptions& o, std::ostream&, std::ostream& err) {
         err << o.error << "\n\n" << commandLineHelp();
         return 2;
     }},
    {[](const CommandLineOptions& o) { return o.help; },
     [](const CommandLineOptions&, std::ostream& out, std::ostream&) {
         out << commandLineHelp();
         return 0;
     }},
    {[](const CommandLineOptions& o) { return o.version; },
     [](const CommandLineOptions&, std::ostream& out, std::ostream&) {
         out << versionText() << "\n";
         return 0;
     }},
    {[](const CommandLineOptions& o) { return !o.exportFormat.empty(); },
     [](const CommandLineOptions& o, std::ostream& out, std::ostream& err) {
         const AppPaths paths = resolveAppPathsForThisProcess();
         return runExport(paths.historyPath, *exportFormatFromText(o.exportFormat), o.from, o.to, out, err);
     }},
    {[](const CommandLineOptions& o) { return o.report; },
     [](const CommandLineOptions& o, std::ostream& out, std::ostream& err) {
         const AppPaths paths = resolveAppPathsForThisProcess();
         const int monthStartDay = loadBillingSettings(paths.settingsPath).monthStartDay;
         return runReport(paths.historyPath, makeSystemClock()->now(), o.json, out, err, monthStartDay);
     }},
};

} // namespace

bool isConsoleCommand(const CommandLineOptions& options) {
    for (const ConsoleCommand& command : kCommands) {
        if (command.wanted(options)) {
            return true;
        }
    }
    return false;
}

int runConsoleCommand(const CommandLineOptions& options, std::ostream& out, std::ostream& err) {
    for (const ConsoleCommand& command : kCommands) {
        if (command.wanted(options)) {
            return command.run(options, out, err);
        }
    }
    return 0;
}

} // namespace tw
