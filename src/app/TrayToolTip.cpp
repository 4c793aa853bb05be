#include "app/TrayToolTip.h"

#include "app/AmountFormatter.h"
#include "history/dayObject.h"

namespace tw {

namespace {

// The panel masks pad with spaces to line the labels up; a tooltip line has nothing to line up with.
std::string total(const dayObject& period, char decimalSeparator) {
    return trimSpaces(formatAmounts(period.getBytesReceived(), period.getBytesSent(), 0, decimalSeparator).total);
}

} // namespace

std::string trayToolTip(std::string_view stateLine, const std::optional<TraySpeeds>& speeds, const dayObject& today,
                        const dayObject& month, char decimalSeparator, std::string_view monthWord,
                        std::string_view allowanceLine) {
    std::string text(stateLine);
    if (speeds) {
        // Each speed in its own unit: a fast download beside a slow upload reads "1.2 MB/s" and "40.0 kB/s".
        text += "\n\u2193 " + trimSpaces(formatSpeeds(speeds->download, 0, 0, decimalSeparator).download);
        text += " \u2191 " + trimSpaces(formatSpeeds(0, speeds->upload, 0, decimalSeparator).upload);
    }
    text += "\nToday " + total(today, decimalSeparator) + " \u00b7 " + std::string(monthWord) + " " +
            total(month, decimalSeparator);
    if (!allowanceLine.empty()) {
        text += "\n";
        text += allowanceLine;
    }
    return text;
}

} // namespace tw
