#pragma once

#include <cstdint>
#include <string>

namespace tw {

class ProcessList;

// True when another user of this machine runs a program with the same executable file name (lower-cased).
// The same user's copies are the single-instance lock's business, so they are not counted here.
bool anotherUserRunsCopy(const ProcessList& processes);

// "Another user logged on to this computer is already running Tallywave.\nSwitch to that user and run ..."
std::string anotherUserMessage();

// The tray activity threshold in bytes per second: "bytesText" (rounded, halves to even) x 1024^"bytesCombo",
// rounded to a 32-bit integer (halves to even) and kept within the 32-bit range.
std::int32_t iconSensitivityFromSettings(const std::string& settingsPath);
std::int32_t iconSensitivityFrom(double amount, int unitIndex);

} // namespace tw
