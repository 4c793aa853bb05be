#pragma once

#include "platform/NetworkTables.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tw {

// The 22 properties the interface details window shows for each interface, as text.
class AdapterDetails {
public:
    static constexpr std::size_t kPropertyCount = 22;
    // Formats a count with the user's digit grouping.
    using NumberFormat = std::function<std::string(std::uint64_t)>;

    static const std::array<std::string_view, kPropertyCount>& propertyNames();
    static std::vector<std::string> values(const InterfaceRow& row, const NumberFormat& formatted);

    static std::string_view typeName(std::uint32_t type);
    static std::string_view adminStatusName(std::uint32_t status);
    static std::string_view operStatusName(std::uint32_t status);
};

} // namespace tw
