#pragma once

#include "platform/ConnectionTable.h"

#include <optional>
#include <string_view>

namespace tw::procnet {

// The MIB number of a Linux TCP state (include/net/tcp_states.h); 0 for a state the MIB has no number for.
int mibTcpState(int linuxState);

// One row of /proc/net/tcp or tcp6 ("sl local rem st ..."): addresses are the bytes of network-order words printed
// as host integers, ports and the state plain hexadecimal. std::nullopt for the header or a line that does not parse.
std::optional<TcpTableRow> parseTcpLine(std::string_view line);
// One row of /proc/net/udp or udp6: only the local end is used.
std::optional<UdpTableRow> parseUdpLine(std::string_view line);

} // namespace tw::procnet
