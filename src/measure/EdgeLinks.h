#pragma once

#include "platform/NetworkTables.h"

#include <span>
#include <vector>

namespace tw {

// Which interface rows "All connections" counts, so that each byte is counted once, where it enters or leaves the
// machine: the links a provider bills (plain network devices, Wi-Fi, modems), not the bridges, virtual Ethernet
// pairs, VLANs, bond masters, tunnels and VPN devices whose bytes also pass one of those, nor the loopback.
// Where no row qualifies (inside a container or a network namespace, where everything is virtual), the rows that
// are neither enslaved to a master nor stacked on another row count instead, tunnels only when nothing else is left.
// counted[i] becomes 1 for a counted row, else 0; it is resized to the rows and allocates nothing once big enough.
void selectEdgeLinks(std::span<const InterfaceRow> rows, std::vector<char>& counted);

} // namespace tw
