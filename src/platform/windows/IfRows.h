#pragma once

#include "platform/NetworkTables.h"

// Order matters: Winsock 2 before the IP Helper headers, which need it.
#include <winsock2.h>

#include <ws2tcpip.h>

#include <iphlpapi.h>

#include <netioapi.h>

namespace tw::win {

// A row of the classic interface table (32-bit counters) as the interface table gives it.
void fromIfRow(const MIB_IFROW& source, InterfaceRow& row);

// A row of the 64-bit interface table, except its last-change moment, which that table does not have.
void fromIfRow2(const MIB_IF_ROW2& source, InterfaceRow& row);

} // namespace tw::win
