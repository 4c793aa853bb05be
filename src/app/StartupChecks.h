#pragma once

#include <string>

namespace tw {

class ProcessList;

// True when another user of this machine runs a program with the same executable file name (lower-cased).
// The same user's copies are the single-instance lock's business, so they are not counted here.
bool anotherUserRunsCopy(const ProcessList& processes);

// "Another user logged on to this computer is already running Tallywave.\nSwitch to that user and run ..."
std::string anotherUserMessage();

} // namespace tw
