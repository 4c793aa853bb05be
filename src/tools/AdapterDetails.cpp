#include "tools/AdapterDetails.h"

#include <charconv>

namespace tw {

const std::array<std::string_view, AdapterDetails::kPropertyCount>& AdapterDetails::propertyNames() {
    static constexpr std::array<std::string_view, kPropertyCount> kNames = {
        "Description of interface",
        "Interface index",
        "Interface type",
        "Maximum Transmission Unit",
        "Interface speed (bps)",
        "Physical address (decimal)",
        "Physical address (hex)",
        "Administratively enabled",
        "Interface operational status",
        "Last time op status changed",
        "Bytes received",
        "Packets received (unicast)",
        "Packets received (non-unicast)",
        "Packets discarded",
        "Discarded with errors",
        "Discarded, unknown protocol",
        "Bytes sent",
        "Packets sent (unicast)",
        "Packets sent (non-unicast)",
        "Packets discarded, no errors",
        "Packets discarded with errors",
        "Output queue length",
    };
    return kNames;
}

std::string_view AdapterDetails::typeName(std::uint32_t type) {
    switch (type) {
    case kIfTypeOther:
        return "Other";
    case kIfTypeEthernet:
        return "Ethernet";
    case kIfTypeTokenRing:
        return "TokenRing";
    case kIfTypeFddi:
        return "FDDI";
    case kIfTypePpp:
        return "Point-to-Point";
    case kIfTypeLoopback:
        return "Loopback";
    case kIfTypeSlip:
        return "Slip";
    default:
        return {};
    }
}

std::string_view AdapterDetails::adminStatusName(std::uint32_t status) {
    switch (status) {
    case kAdminStatusUp:
        return "True";
    case kAdminStatusDown:
        return "False";
    case kAdminStatusTesting:
        return "Testing";
    default:
        return {};
    }
}

std::string_view AdapterDetails::operStatusName(std::uint32_t status) {
    static constexpr std::string_view kNames[] = {"Non-operational", "Unreachable", "Disconnected",
                                                  "Connecting",      "Connected",   "Operational"};
    return status < std::size(kNames) ? kNames[status] : std::string_view{};
}

namespace {

std::string numberWithName(std::uint32_t number, std::string_view name) {
    return std::to_string(number) + " " + std::string(name);
}

std::string physicalAddress(const std::string& bytes, int base) {
    std::string text;
    for (const char c : bytes) {
        char buffer[4];
        const auto end = std::to_chars(buffer, buffer + sizeof(buffer), static_cast<unsigned char>(c), base).ptr;
        for (char* p = buffer; p != end; ++p) {
            text += static_cast<char>(base == 16 && *p >= 'a' ? *p - 'a' + 'A' : *p);
        }
        text += ' ';
    }
    return text;
}

} // namespace

std::vector<std::string> AdapterDetails::values(const InterfaceRow& row, const NumberFormat& formatted) {
    return {
        row.description,
        std::to_string(row.index),
        numberWithName(row.type, typeName(row.type)),
        formatted(row.mtu),
        formatted(row.speed),
        physicalAddress(row.physicalAddress, 10),
        physicalAddress(row.physicalAddress, 16),
        numberWithName(row.adminStatus, adminStatusName(row.adminStatus)),
        numberWithName(row.operStatus, operStatusName(row.operStatus)),
        std::to_string(row.lastChange),
        formatted(row.inOctets),
        formatted(row.inUcastPkts),
        formatted(row.inNUcastPkts),
        formatted(row.inDiscards),
        formatted(row.inErrors),
        formatted(row.inUnknownProtos),
        formatted(row.outOctets),
        formatted(row.outUcastPkts),
        formatted(row.outNUcastPkts),
        formatted(row.outDiscards),
        formatted(row.outErrors),
        formatted(row.outQLen),
    };
}

} // namespace tw
