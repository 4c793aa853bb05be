#include "app/ReportCommand.h"

#include "app/AmountFormatter.h"
#include "history/HistoryFile.h"
#include "history/clsSessionData.h"

#include <cmath>
#include <ostream>

namespace tw {

namespace {

std::string wholeBytes(double amount) {
    return historyAmountText(std::nearbyint(amount));
}

std::string jsonPeriod(const dayObject& d) {
    return "{\"received\":" + wholeBytes(d.getBytesReceived()) + ",\"sent\":" + wholeBytes(d.getBytesSent()) + "}";
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
        out << "{\"today\":" << jsonPeriod(totals->today) << ",\"month\":" << jsonPeriod(totals->month) << "}\n";
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
