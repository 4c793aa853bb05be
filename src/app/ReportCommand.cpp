#include "app/ReportCommand.h"

#include "app/AmountFormatter.h"
#include "history/HistoryFile.h"

#include <algorithm>
#include <ostream>

namespace tw {

namespace {

std::string jsonPeriod(const ByteTotal& received, const ByteTotal& sent) {
    return "{\"received\":" + received.toString() + ",\"sent\":" + sent.toString() + "}";
}

std::string humanLine(std::string label, std::size_t width, const dayObject& d) {
    const auto t = formatAmounts(d.getBytesReceived(), d.getBytesSent(), 0);
    label.resize(width, ' ');
    return label + "Download " + t.download + "   Upload " + t.upload + "   Total " + t.total + "\n";
}

} // namespace

int runReport(const std::string& historyPath, const DateTime& now, bool json, std::ostream& out, std::ostream& err,
              int monthStartDay) {
    const auto totals = tryLoadPeriodTotals(historyPath, now, monthStartDay);
    if (!totals) {
        err << "tallywave: cannot read the history file " << historyPath << "\n";
        return 1;
    }
    if (json) {
        out << "{\"today\":" << jsonPeriod(totals->todayReceived, totals->todaySent)
            << ",\"month\":" << jsonPeriod(totals->monthReceived, totals->monthSent) << "}\n";
    } else {
        const std::string month = monthStartDay == 1 ? "This Month:" : "This Period:";
        const std::size_t width = std::max<std::size_t>(12, month.size() + 1);
        out << humanLine("Today:", width, totals->today) << humanLine(month, width, totals->month);
    }
    out.flush();
    if (!out) {
        err << "tallywave: cannot write the report\n";
        return 1;
    }
    return 0;
}

} // namespace tw
