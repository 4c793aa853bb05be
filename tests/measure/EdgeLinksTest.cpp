#include "measure/EdgeLinks.h"

#include <gmock/gmock.h>

using namespace tw;
using testing::ElementsAreArray;

namespace {

struct Link {
    std::uint32_t index;
    std::string name;
    std::string kind = {};
    std::uint32_t master = 0;
    std::uint32_t parent = 0;
    std::uint32_t type = kIfTypeEthernet;
    bool virtualAdapter = false;
};

struct Machine {
    const char* what;
    std::vector<Link> links;
    std::vector<std::string> counted;
};

std::vector<std::string> countedOn(const std::vector<Link>& links) {
    std::vector<InterfaceRow> rows;
    for (const Link& l : links) {
        InterfaceRow& row = rows.emplace_back();
        row.index = l.index;
        row.description = l.name;
        row.kind = l.kind;
        row.master = l.master;
        row.parent = l.parent;
        row.type = l.type;
        row.virtualAdapter = l.virtualAdapter;
    }
    std::vector<char> counted(1, 1); // left over from an earlier table: resized and cleared
    selectEdgeLinks(rows, counted);
    std::vector<std::string> names;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (counted.at(i)) {
            names.push_back(rows[i].description);
        }
    }
    return names;
}

const Link lo{1, "lo", "", 0, 0, kIfTypeLoopback};

TEST(EdgeLinks, EachMachineCountsTheLinksAtItsEdgeOnly) {
    const Machine machines[] = {
        {"laptop", {lo, {2, "wlan0", "", 0, 0, kIfTypeIeee80211}}, {"wlan0"}},
        {"Docker host",
         {lo, {2, "eth0"}, {3, "docker0", "bridge"}, {5, "veth1a", "veth", 3}, {7, "veth2b", "veth", 3}},
         {"eth0"}},
        {"libvirt with a bridged NIC",
         {lo, {2, "eth0", "", 4}, {4, "br0", "bridge"}, {6, "vnet0", "tun", 4}},
         {"eth0"}},
        {"VLAN on eth0", {lo, {2, "eth0"}, {3, "eth0.10", "vlan", 0, 2}}, {"eth0"}},
        {"bond of two NICs", {lo, {2, "eth0", "", 4}, {3, "eth1", "", 4}, {4, "bond0", "bond"}}, {"eth0", "eth1"}},
        {"VPN over eth0",
         {lo, {2, "eth0"}, {3, "tun0", "tun", 0, 0, kIfTypeOther}, {4, "wg0", "wireguard", 0, 0, kIfTypeOther}},
         {"eth0"}},
        {"PPP modem", {lo, {2, "ppp0", "ppp", 0, 0, kIfTypePpp}}, {"ppp0"}},
        {"mobile broadband beside Wi-Fi",
         {lo, {2, "wwan0", "wwan", 0, 0, kIfTypeOther}, {3, "wlan0"}},
         {"wwan0", "wlan0"}},
        {"kernel's ifb and dummy devices", {lo, {2, "ifb0", "ifb"}, {3, "dummy0", "dummy"}, {4, "eth0"}}, {"eth0"}},
        {"router chip: switch ports stacked on the CPU port", {lo, {2, "eth0"}, {3, "wan", "", 0, 2}}, {"eth0"}},
        {"container: only a veth to the host", {lo, {5, "eth0", "veth"}}, {"eth0"}},
        {"container with a macvlan to the host", {lo, {9, "eth0", "macvlan"}}, {"eth0"}},
        // A parent in another table (a veth's peer in another namespace) or the link itself is no parent.
        {"veth whose peer is in another namespace", {lo, {2, "eth0", "veth", 0, 17}}, {"eth0"}},
        {"link naming itself as its parent", {lo, {2, "eth0", "", 0, 2}}, {"eth0"}},
        {"namespace with a bridge and veth ports",
         {lo, {2, "br0", "bridge"}, {3, "p1", "veth", 2}, {4, "p2", "veth", 2}},
         {"br0"}},
        {"container running a VPN: the veth, not the tunnel",
         {lo, {5, "eth0", "veth"}, {6, "tun0", "tun", 0, 0, kIfTypeOther}},
         {"eth0"}},
        {"namespace holding only a WireGuard link", {lo, {4, "wg0", "wireguard", 0, 0, kIfTypeOther}}, {"wg0"}},
        {"nothing but the loopback", {lo}, {}},
        {"Windows: NIC, Hyper-V switch, VPN, Teredo",
         {{1, "Loopback Pseudo-Interface 1", "", 0, 0, kIfTypeLoopback, true},
          {4, "Intel(R) Ethernet"},
          {7, "Hyper-V Virtual Ethernet Adapter", "", 0, 0, kIfTypeEthernet, true},
          {9, "WireGuard Tunnel", "", 0, 0, kIfTypePropVirtual, true},
          {11, "Teredo Tunneling Pseudo-Interface", "", 0, 0, kIfTypeTunnel, true}},
         {"Intel(R) Ethernet"}},
        {"Windows: dial-up and mobile broadband are no hardware but are the edge",
         {{3, "WAN Miniport (PPPOE)", "", 0, 0, kIfTypePpp, true},
          {5, "Mobile Broadband", "", 0, 0, kIfTypeWwanPp, true}},
         {"WAN Miniport (PPPOE)", "Mobile Broadband"}},
        {"Windows guest with only virtual adapters, one of them a VPN",
         {{4, "vEthernet (nat)", "", 0, 0, kIfTypeEthernet, true}, {9, "VPN", "", 0, 0, kIfTypeTunnel, true}},
         {"vEthernet (nat)"}},
    };
    for (const Machine& m : machines) {
        EXPECT_THAT(countedOn(m.links), ElementsAreArray(m.counted)) << m.what;
    }
}

} // namespace
