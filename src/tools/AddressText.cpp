#include "tools/AddressText.h"

#include <charconv>

namespace tw {

std::string formatIpv4(const Ipv4Address& address) {
    std::string text;
    for (std::size_t i = 0; i < address.size(); ++i) {
        if (i > 0) {
            text += '.';
        }
        text += std::to_string(address[i]);
    }
    return text;
}

namespace {

bool isV4Mapped(const IpAddress& address) {
    for (std::size_t i = 0; i < 10; ++i) {
        if (address.bytes[i] != 0) {
            return false;
        }
    }
    return address.bytes[10] == 0xff && address.bytes[11] == 0xff;
}

std::string formatIpv6(const IpAddress& address) {
    std::uint16_t groups[8];
    for (std::size_t i = 0; i < 8; ++i) {
        groups[i] = static_cast<std::uint16_t>(address.bytes[2 * i] << 8 | address.bytes[2 * i + 1]);
    }
    // The longest run of two or more zero groups (the first one on a tie) becomes "::".
    int bestStart = -1;
    int bestLength = 1;
    for (int i = 0; i < 8;) {
        if (groups[i] != 0) {
            ++i;
            continue;
        }
        int j = i;
        while (j < 8 && groups[j] == 0) {
            ++j;
        }
        if (j - i > bestLength) {
            bestStart = i;
            bestLength = j - i;
        }
        i = j;
    }
    std::string text;
    for (int i = 0; i < 8; ++i) {
        if (i == bestStart) {
            text += "::";
            i += bestLength - 1;
            continue;
        }
        if (!text.empty() && !text.ends_with(':')) {
            text += ':';
        }
        char buffer[8];
        const auto result = std::to_chars(buffer, buffer + sizeof(buffer), groups[i], 16);
        text.append(buffer, result.ptr);
    }
    return text;
}

} // namespace

std::string formatIpAddress(const IpAddress& address) {
    if (!address.v6) {
        return formatIpv4({address.bytes[0], address.bytes[1], address.bytes[2], address.bytes[3]});
    }
    if (isV4Mapped(address)) {
        return formatIpv4({address.bytes[12], address.bytes[13], address.bytes[14], address.bytes[15]});
    }
    return formatIpv6(address);
}

std::optional<Ipv4Address> parseIpv4(std::string_view text) {
    Ipv4Address address{};
    std::size_t pos = 0;
    for (std::size_t part = 0; part < 4; ++part) {
        if (part > 0) {
            if (pos >= text.size() || text[pos] != '.') {
                return std::nullopt;
            }
            ++pos;
        }
        const std::size_t start = pos;
        while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9' && pos - start < 3) {
            ++pos;
        }
        unsigned value = 0;
        if (pos == start || std::from_chars(text.data() + start, text.data() + pos, value).ec != std::errc{} ||
            value > 255) {
            return std::nullopt;
        }
        address[part] = static_cast<std::uint8_t>(value);
    }
    if (pos != text.size()) {
        return std::nullopt;
    }
    return address;
}

} // namespace tw
