#pragma once

#include <array>
#include <cstdint>

namespace tw {

// An IPv4 address as its four bytes in network order (192.168.0.1 is {192, 168, 0, 1}).
using Ipv4Address = std::array<std::uint8_t, 4>;

// An IPv4 or IPv6 address; an IPv4 address uses the first four bytes.
struct IpAddress {
    bool v6 = false;
    std::array<std::uint8_t, 16> bytes{};

    static IpAddress fromV4(const Ipv4Address& a) {
        IpAddress ip;
        for (std::size_t i = 0; i < a.size(); ++i) {
            ip.bytes[i] = a[i];
        }
        return ip;
    }
    friend auto operator<=>(const IpAddress&, const IpAddress&) = default;
};

} // namespace tw
