#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tw {

// The one place where byte amounts and speeds become text (main window panels, tray tooltip, --report).
// Units are powers of 1024. The decimal separator is the locale's, passed in by the caller.

struct AmountTexts {
    std::string download;
    std::string upload;
    std::string total;
};

// Formats a number with a mask such as "# ### ### ##0 " or "# ##0.0 ": '0' always a digit, '#' a digit only where
// the number has one, spaces copied, '.' the decimal separator with one decimal (rounded half to even).
std::string formatWithMask(double value, const std::string& mask, char decimalSeparator = '.');

// Panel amounts: unitSetting 0 variable (by received + sent), 1 bytes, 2 kB, 3 MB, 4 GB; out of range = variable.
AmountTexts formatAmounts(double received, double sent, int unitSetting, char decimalSeparator = '.');

// An amount for running text: in the largest unit it reaches (bytes to TB), with one decimal unless that is 0 and
// without padding: "71.3 GB", "50 GB", "532 bytes".
std::string formatShortAmount(double bytes, char decimalSeparator = '.');

// The text without the spaces the masks pad it with at either end.
std::string trimSpaces(std::string_view text);

// Session speeds (bytes per second): unitSetting 0 variable (by the sum), 1 bytes/s, 2 kB/s, 3 MB/s.
AmountTexts formatSpeeds(std::int64_t download, std::int64_t upload, int unitSetting, char decimalSeparator = '.');

} // namespace tw
