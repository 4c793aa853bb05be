#include "app/CommandLine.h"

namespace tw {

namespace {

// The value of an option given as its next argument ("--from 2024-01-05"); false when there is none.
bool takeValue(const std::vector<std::string>& args, std::size_t& i, std::string& value) {
    if (i + 1 >= args.size()) {
        return false;
    }
    value = args[++i];
    return true;
}

void takeDate(const std::vector<std::string>& args, std::size_t& i, std::optional<DateTime>& date, std::string& error) {
    const std::string option = args[i];
    std::string value;
    // A whole date, nothing more: "2024-01-05".
    if (takeValue(args, i, value) && value.size() == 10) {
        date = DateTime::parse(value);
    }
    if (!date && error.empty()) {
        error = option + " needs a date as YYYY-MM-DD.";
    }
}

} // namespace

CommandLineOptions parseCommandLine(const std::vector<std::string>& args) {
    CommandLineOptions o;
    std::string whole;
    bool dates = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (!whole.empty()) {
            whole += ' ';
        }
        whole += a;
        if (a == "--export") {
            if ((!takeValue(args, i, o.exportFormat) || (o.exportFormat != "csv" && o.exportFormat != "json")) &&
                o.error.empty()) {
                o.error = "--export needs the format: csv or json.";
            }
        } else if (a == "--from") {
            takeDate(args, i, o.from, o.error);
            dates = true;
        } else if (a == "--to") {
            takeDate(args, i, o.to, o.error);
            dates = true;
        } else if (a == "--help" || a == "-h") {
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
    if (o.report && !o.exportFormat.empty() && o.error.empty()) {
        o.error = "--report and --export cannot be used together.";
    }
    if (o.json && !o.report && o.error.empty()) {
        o.error = "--json is only valid with --report.";
    }
    if (dates && o.exportFormat.empty() && o.error.empty()) {
        o.error = "--from and --to are only valid with --export.";
    }
    if (o.from && o.to && *o.to < *o.from && o.error.empty()) {
        o.error = "--from is later than --to.";
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
           "  --export csv|json print the logged sessions as CSV or JSON and exit\n"
           "  --from YYYY-MM-DD with --export: only sessions started on that day or later\n"
           "  --to YYYY-MM-DD   with --export: only sessions started on that day or earlier\n"
           "  --version         print the version and exit\n"
           "  --help            print this help and exit\n";
}

std::string versionText() {
    return "Tallywave " + std::to_string(TALLYWAVE_VERSION_MAJOR) + "." + std::to_string(TALLYWAVE_VERSION_MINOR) +
           "." + std::to_string(TALLYWAVE_VERSION_PATCH);
}

} // namespace tw
