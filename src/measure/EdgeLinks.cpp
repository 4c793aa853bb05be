#include "measure/EdgeLinks.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace tw {

namespace {

using namespace std::string_view_literals;

// Kinds of links that are the machine's edge themselves: modems (nothing below them is in the table) and InfiniBand
// (its child links are stacked on it).
constexpr std::array kEdgeKinds = {"ppp"sv, "wwan"sv, "ipoib"sv};

// Devices whose bytes are carried again, wrapped, by another link of the machine.
constexpr std::array kTunnelKinds = {
    "tun"sv,       "wireguard"sv, "gre"sv,     "gretap"sv, "ip6gre"sv, "ip6gretap"sv, "erspan"sv,
    "ip6erspan"sv, "ipip"sv,      "sit"sv,     "ip6tnl"sv, "vti"sv,    "vti6"sv,      "xfrm"sv,
    "vxlan"sv,     "geneve"sv,    "bareudp"sv, "l2tp"sv,   "gtp"sv,    "amt"sv,
};

template <std::size_t N> bool isOneOf(std::string_view kind, const std::array<std::string_view, N>& kinds) {
    return std::find(kinds.begin(), kinds.end(), kind) != kinds.end();
}

bool isModem(const InterfaceRow& row) {
    return row.type == kIfTypePpp || row.type == kIfTypeWwanPp || row.type == kIfTypeWwanPp2 ||
           isOneOf(row.kind, kEdgeKinds);
}

bool isTunnel(const InterfaceRow& row) {
    return row.type == kIfTypeTunnel || row.type == kIfTypePropVirtual || isOneOf(row.kind, kTunnelKinds);
}

bool stackedOnAnotherRow(const InterfaceRow& row, std::span<const InterfaceRow> rows) {
    return row.parent != 0 && row.parent != row.index &&
           std::any_of(rows.begin(), rows.end(), [&](const InterfaceRow& r) { return r.index == row.parent; });
}

bool isEdge(const InterfaceRow& row) {
    if (isModem(row)) {
        return true;
    }
    return row.kind.empty() && !row.virtualAdapter && !isTunnel(row);
}

} // namespace

void selectEdgeLinks(std::span<const InterfaceRow> rows, std::vector<char>& counted) {
    counted.assign(rows.size(), 0);
    // Never the loopback, never a link stacked on another one here: its bytes pass its parent too.
    for (std::size_t i = 0; i < rows.size(); ++i) {
        counted[i] = rows[i].type != kIfTypeLoopback && !stackedOnAnotherRow(rows[i], rows);
    }
    // Narrows the counted rows to those that also pass `keep`, unless none would be left.
    const auto preferring = [&](auto&& keep) {
        const bool any = std::any_of(rows.begin(), rows.end(),
                                     [&](const InterfaceRow& row) { return counted[&row - rows.data()] && keep(row); });
        for (std::size_t i = 0; any && i < rows.size(); ++i) {
            counted[i] = counted[i] && keep(rows[i]);
        }
        return any;
    };
    if (preferring(isEdge)) {
        return;
    }
    // No edge link: a bridge port or bond slave is never the way out, its master is.
    for (std::size_t i = 0; i < rows.size(); ++i) {
        counted[i] = counted[i] && rows[i].master == 0;
    }
    preferring([](const InterfaceRow& row) { return !isTunnel(row); });
}

} // namespace tw
