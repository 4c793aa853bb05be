#include "app/ExportCommand.h"

#include <ostream>

namespace tw {

int runExport(const std::string& historyPath, ExportFormat format, const std::optional<DateTime>& from,
              const std::optional<DateTime>& to, std::ostream& out, std::ostream& err) {
    clsADT history;
    if (!history.load(historyPath)) {
        if (history.fileState() == clsADT::FileState::TooShort) {
            err << "tallywave: " << historyPath
                << " is not a history file (it has fewer than its three header lines)\n";
        } else {
            err << "tallywave: cannot read the history file " << historyPath << "\n";
        }
        return 1;
    }
    out << exportSessions(sessionsBetween(history, from, to), format);
    out.flush();
    if (!out) {
        err << "tallywave: cannot write the export\n";
        return 1;
    }
    return 0;
}

} // namespace tw
