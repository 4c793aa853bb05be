// The Windows tables' rows as the engine sees them: what All connections counts, and the classic table's 32-bit
// counters falling back.
#include "platform/windows/IfRows.h"

#include "measure/EdgeLinks.h"
#include "measure/IPData.h"
#include "platform/fake/FakeClock.h"

#include <gmock/gmock.h>

#include <cstring>
#include <cwchar>

namespace tw {
namespace {

struct Adapter {
    NET_IFINDEX index;
    const wchar_t* description;
    IFTYPE type;
    bool hardware;
};

TEST(IfRows, WhatThe64BitTableSaysOfEachAdapterDecidesWhatAllConnectionsCounts) {
    const Adapter adapters[] = {
        {1, L"Loopback Pseudo-Interface 1", IF_TYPE_SOFTWARE_LOOPBACK, false},
        {4, L"Intel(R) Ethernet Connection", IF_TYPE_ETHERNET_CSMACD, true},
        {5, L"Intel(R) Wi-Fi 6 AX201", IF_TYPE_IEEE80211, true},
        {7, L"Hyper-V Virtual Ethernet Adapter", IF_TYPE_ETHERNET_CSMACD, false},
        {9, L"Wintun Userspace Tunnel", IF_TYPE_PROP_VIRTUAL, false},
        {11, L"Teredo Tunneling Pseudo-Interface", IF_TYPE_TUNNEL, false},
        {13, L"WAN Miniport (PPPOE)", IF_TYPE_PPP, false},
        {15, L"Mobile Broadband Connection", kIfTypeWwanPp, true},
    };
    std::vector<InterfaceRow> rows;
    for (const Adapter& a : adapters) {
        MIB_IF_ROW2 source{};
        source.InterfaceIndex = a.index;
        std::wcsncpy(source.Description, a.description, IF_MAX_STRING_SIZE);
        source.Type = a.type;
        source.InterfaceAndOperStatusFlags.HardwareInterface = a.hardware;
        win::fromIfRow2(source, rows.emplace_back());
    }
    std::vector<char> counted;
    selectEdgeLinks(rows, counted);
    std::vector<std::string> names;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (counted[i]) {
            names.push_back(rows[i].description);
        }
    }
    EXPECT_THAT(names, testing::ElementsAre("Intel(R) Ethernet Connection", "Intel(R) Wi-Fi 6 AX201",
                                            "WAN Miniport (PPPOE)", "Mobile Broadband Connection"));
}

// The classic table, its rows set by hand.
class ClassicRows final : public NetworkTables {
public:
    bool available() const override { return true; }
    int counterBits() const override { return 32; }
    bool readInterfaces(std::vector<InterfaceRow>& rows) override {
        rows.resize(source.size());
        for (std::size_t i = 0; i < source.size(); ++i) {
            win::fromIfRow(source[i], rows[i]);
        }
        return true;
    }
    bool readAddresses(std::vector<AddressRow>& rows) override {
        rows.clear();
        return true;
    }

    std::vector<MIB_IFROW> source;
};

TEST(IfRows, AClassicCounterThatFallsFurtherThanTheLinkCouldCarryIsAResetNotAWrap) {
    ClassicRows tables;
    MIB_IFROW nic{};
    nic.dwIndex = 2;
    std::strcpy(reinterpret_cast<char*>(nic.bDescr), "Realtek PCIe GbE Family Controller");
    nic.dwType = IF_TYPE_ETHERNET_CSMACD;
    nic.dwSpeed = 100'000'000; // 12.5 MB a second at most
    nic.dwInOctets = 3'000'000'000u;
    nic.dwOutOctets = 4'294'000'000u;
    tables.source.push_back(nic);
    FakeClock clock;
    IPData engine(tables, clock);
    engine.addAllAdaptors();
    engine.updateStatistics();

    clock.advanceMs(1000);
    // In: the adapter restarted its counters and received 100 kB since. Out: wrapped after 1.2 MB.
    tables.source[0].dwInOctets = 100'000;
    tables.source[0].dwOutOctets = 232'704;
    engine.updateStatistics();
    EXPECT_EQ(engine.getBytesRecieved(), 0u);
    EXPECT_EQ(engine.getBytesSent(), 1'200'000u);
    clock.advanceMs(1000);
    tables.source[0].dwInOctets += 50;
    engine.updateStatistics();
    EXPECT_EQ(engine.getBytesRecieved(), 50u);
}

} // namespace
} // namespace tw
