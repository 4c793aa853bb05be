#include "app/ReportCommand.h"

#include "app/AmountFormatter.h"
#include "history/HistoryFile.h"

#include <ostream>

namespace tw {

namespace {

std::string jsonPeriod(const ByteTotal& received, const ByteTotal& sent) {
    return "{\"received\":" + received.toString() + ",\"sent\":" + sent.toString() + "}";
}

std::string humanLine(std::string label, const dayObject& d) {
    const auto t = formatAmounts(d.getBytesReceived(), d.getBytesSent(), 0);
    label.resize(12, ' ');
    return label + "Download " + t.download + "   Upload " + t.upload + "   Total " + t.total + "\n";
}

} // namespace

int runReport(const std::string& historyPath, const DateTime& now, bool json, std::ostream& out, std::ostream& err) {
    const auto totals = tryLoadPeriodTotals(historyPath, now);
    if (!totals) {
        err << "tallywave: cannot read the history file " << historyPath << "\n";
        return 1;
    }
    if (json) {
        out << "{\"today\":" << jsonPeriod(totals->todayReceived, totals->todaySent)
            << ",\"month\":" << jsonPeriod(totals->monthReceived, totals->monthSent) << "}\n";
    } else {
        out << humanLine("Today:", totals->today) << humanLine("This Month:", totals->month);
    }
    out.flush();
    if (!out) {
        err << "tallywave: cannot write the report\n";
        return 1;
    }
    return 0;
}

} // namespace tw
