#pragma once

#include "platform/NetworkTables.h"

#include <memory>

namespace tw::win {

// The system's tables read through the 64-bit interface table when it can be read, else the classic one with 32-bit
// counters. wideCounters = false takes the classic one at once (systems without the 64-bit table, and its tests).
std::unique_ptr<NetworkTables> makeNetworkTables(bool wideCounters);

} // namespace tw::win
