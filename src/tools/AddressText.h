#pragma once

#include "platform/IpAddress.h"

#include <optional>
#include <string>
#include <string_view>

namespace tw {

// "192.168.0.1": the four bytes in decimal, in network order.
std::string formatIpv4(const Ipv4Address& address);

// IPv4 as above; IPv6 in its shortest form ("::1", "fe80::1"), and an IPv4-mapped IPv6 address as the plain IPv4
// address it stands for.
std::string formatIpAddress(const IpAddress& address);

// Exactly four decimal parts 0..255 separated by dots, nothing around them.
std::optional<Ipv4Address> parseIpv4(std::string_view text);

} // namespace tw
