#include "config/MonitoredConnection.h"

#include <array>

namespace tw {

namespace {
constexpr std::array<std::string_view, 3> kKindTexts = {"Interface", "Single IP", "IP Range"};
}

std::string_view kindText(int kind) {
    return (kind >= 0 && kind < static_cast<int>(kKindTexts.size())) ? kKindTexts[static_cast<std::size_t>(kind)]
                                                                     : std::string_view{};
}

std::optional<int> kindFromText(std::string_view text) {
    for (std::size_t i = 0; i < kKindTexts.size(); ++i) {
        if (kKindTexts[i] == text) {
            return static_cast<int>(i);
        }
    }
    return std::nullopt;
}

} // namespace tw
