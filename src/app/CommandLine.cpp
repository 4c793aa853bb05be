#include "app/CommandLine.h"

namespace tw {

CommandLineOptions parseCommandLine(const std::vector<std::string>& args) {
    CommandLineOptions o;
    std::string whole;
    for (const auto& a : args) {
        if (!whole.empty()) {
            whole += ' ';
        }
        whole += a;
        if (a == "--help" || a == "-h") {
            o.help = true;
        } else if (a == "--version") {
            o.version = true;
        } else if (a == "--report") {
            o.report = true;
        } else if (a == "--json") {
            o.json = true;
        }
    }
    o.debug = whole.find("-debug") != std::string::npos;
    o.winStartUp = whole.find("-winStartUp") != std::string::npos;
    if (o.json && !o.report) {
        o.error = "--json is only valid with --report.";
    }
    return o;
}

CommandLineOptions parseCommandLine(int argc, const char* const* argv) {
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) {
        args.emplace_back(argv[i]);
    }
    return parseCommandLine(args);
}

std::string commandLineHelp() {
    return "Usage: tallywave [options]\n"
           "A network bandwidth monitor.\n"
           "\n"
           "  -winStartUp       start in the notification area only\n"
           "  -debug            show the window and store the session without asking on exit\n"
           "  --report          print today's and this month's totals from the history and exit\n"
           "  --json            with --report: print them as JSON\n"
           "  --version         print the version and exit\n"
           "  --help            print this help and exit\n";
}

std::string versionText() {
    return "Tallywave " + std::to_string(TALLYWAVE_VERSION_MAJOR) + "." + std::to_string(TALLYWAVE_VERSION_MINOR) +
           "." + std::to_string(TALLYWAVE_VERSION_PATCH);
}

} // namespace tw
