#pragma once

#include "platform/ConnectionTable.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tw::procnet {

// The MIB number of a Linux TCP state (include/net/tcp_states.h); 0 for a state the MIB has no number for.
int mibTcpState(int linuxState);

// One row of /proc/net/tcp or tcp6 ("sl local rem st ..."): addresses are the bytes of network-order words printed
// as host integers, ports and the state plain hexadecimal. std::nullopt for the header or a line that does not parse.
std::optional<TcpTableRow> parseTcpLine(std::string_view line);
// One row of /proc/net/udp or udp6: only the local end is used.
std::optional<UdpTableRow> parseUdpLine(std::string_view line);

// Every row of one of those files; std::nullopt when it cannot be opened.
std::optional<std::vector<TcpTableRow>> readTcpFile(const std::string& path);
std::optional<std::vector<UdpTableRow>> readUdpFile(const std::string& path);

} // namespace tw::procnet
