#include "platform/windows/WinNetworkTables.h"
#include "platform/windows/IfRows.h"
#include "platform/windows/IpHelperBuffer.h"
#include "platform/windows/WideString.h"

#include <algorithm>
#include <cstring>

namespace tw {

namespace {

std::uint64_t centisecondsSinceBoot() {
    return GetTickCount64() / 10;
}

// The physical address as raw bytes; an all-zero one (loopback, tunnels) counts as none.
std::string physicalAddress(const unsigned char* bytes, ULONG length, ULONG capacity) {
    std::string address(reinterpret_cast<const char*>(bytes), std::min(length, capacity));
    if (std::all_of(address.begin(), address.end(), [](char c) { return c == 0; })) {
        address.clear();
    }
    return address;
}

// IF_OPER_STATUS (RFC 2863) in the numbering the interface details window shows.
std::uint32_t mibOperStatus(IF_OPER_STATUS status, NET_IF_ADMIN_STATUS admin) {
    if (admin != NET_IF_ADMIN_STATUS_UP) {
        return kOperStatusNonOperational;
    }
    switch (status) {
    case IfOperStatusUp:
        return kOperStatusOperational;
    case IfOperStatusDormant:
        return kOperStatusConnecting;
    case IfOperStatusTesting:
        return kOperStatusUnreachable;
    case IfOperStatusNotPresent:
    case IfOperStatusUnknown:
        return kOperStatusNonOperational;
    default: // down, lower layer down
        return kOperStatusDisconnected;
    }
}

bool byIndex(const InterfaceRow& a, const InterfaceRow& b) {
    return a.index < b.index;
}

} // namespace

void win::fromIfRow(const MIB_IFROW& source, InterfaceRow& row) {
    row.index = source.dwIndex;
    // 8-bit text in the system's code page; its length field is not trusted.
    const auto* descr = reinterpret_cast<const char*>(source.bDescr);
    const std::string_view ansi(descr, strnlen(descr, MAXLEN_IFDESCR));
    const int n = MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), wide.data(), n);
    row.description = win::toUtf8(wide);
    row.type = source.dwType;
    row.mtu = source.dwMtu;
    row.speed = source.dwSpeed;
    row.physicalAddress = physicalAddress(source.bPhysAddr, source.dwPhysAddrLen, MAXLEN_PHYSADDR);
    row.adminStatus = source.dwAdminStatus;
    row.operStatus = static_cast<std::uint32_t>(source.dwOperStatus); // already in this numbering
    row.lastChange = source.dwLastChange;
    row.inOctets = source.dwInOctets;
    row.inUcastPkts = source.dwInUcastPkts;
    row.inNUcastPkts = source.dwInNUcastPkts;
    row.inDiscards = source.dwInDiscards;
    row.inErrors = source.dwInErrors;
    row.inUnknownProtos = source.dwInUnknownProtos;
    row.outOctets = source.dwOutOctets;
    row.outUcastPkts = source.dwOutUcastPkts;
    row.outNUcastPkts = source.dwOutNUcastPkts;
    row.outDiscards = source.dwOutDiscards;
    row.outErrors = source.dwOutErrors;
    row.outQLen = source.dwOutQLen;
    row.virtualAdapter = false; // this table does not say
}

void win::fromIfRow2(const MIB_IF_ROW2& source, InterfaceRow& row) {
    row.index = source.InterfaceIndex;
    row.description =
        win::toUtf8(std::wstring_view(source.Description, wcsnlen(source.Description, IF_MAX_STRING_SIZE + 1)));
    row.type = source.Type;
    row.mtu = source.Mtu;
    // Unknown speeds come as all ones.
    row.speed = source.ReceiveLinkSpeed == ~0ull ? 0 : source.ReceiveLinkSpeed;
    row.physicalAddress =
        physicalAddress(source.PhysicalAddress, source.PhysicalAddressLength, IF_MAX_PHYS_ADDRESS_LENGTH);
    row.adminStatus = static_cast<std::uint32_t>(source.AdminStatus);
    row.operStatus = mibOperStatus(source.OperStatus, source.AdminStatus);
    row.lastChange = 0;
    row.inOctets = source.InOctets;
    row.inUcastPkts = source.InUcastPkts;
    row.inNUcastPkts = source.InNUcastPkts;
    row.inDiscards = source.InDiscards;
    row.inErrors = source.InErrors;
    row.inUnknownProtos = source.InUnknownProtos;
    row.outOctets = source.OutOctets;
    row.outUcastPkts = source.OutUcastPkts;
    row.outNUcastPkts = source.OutNUcastPkts;
    row.outDiscards = source.OutDiscards;
    row.outErrors = source.OutErrors;
    row.outQLen = source.OutQLen;
    // Virtual switches, VPN and tunnel adapters carry bytes that also pass a hardware adapter.
    row.virtualAdapter = !source.InterfaceAndOperStatusFlags.HardwareInterface;
}

namespace {

// The 64-bit table. It has no "last change" column, so the moment a status change is first seen stands in for it.
class IfTable2Reader {
public:
    bool read(std::vector<InterfaceRow>& rows) {
        MIB_IF_TABLE2* table = nullptr;
        if (GetIfTable2(&table) != NO_ERROR || table == nullptr) {
            return false;
        }
        std::size_t count = 0;
        for (ULONG i = 0; i < table->NumEntries; ++i) {
            const MIB_IF_ROW2& source = table->Table[i];
            // Filter drivers (QoS, firewall, virtual switch) repeat the counters of the adapter below them:
            // counting them too would count the same bytes twice.
            if (source.InterfaceAndOperStatusFlags.FilterInterface) {
                continue;
            }
            if (count == rows.size()) {
                rows.emplace_back();
            }
            fill(source, rows[count++]);
        }
        FreeMibTable(table);
        rows.resize(count);
        std::erase_if(m_lastChange, [&](const StatusMemory& m) {
            return std::none_of(rows.begin(), rows.end(), [&](const InterfaceRow& r) { return r.index == m.index; });
        });
        std::sort(rows.begin(), rows.end(), byIndex);
        return true;
    }

private:
    struct StatusMemory {
        std::uint32_t index = 0;
        std::uint32_t operStatus = 0;
        std::uint64_t since = 0; // 0: unchanged since first seen
    };

    void fill(const MIB_IF_ROW2& source, InterfaceRow& row) {
        win::fromIfRow2(source, row);
        row.lastChange = lastChange(row.index, row.operStatus);
    }

    std::uint64_t lastChange(std::uint32_t index, std::uint32_t operStatus) {
        auto it = std::find_if(m_lastChange.begin(), m_lastChange.end(),
                               [&](const StatusMemory& m) { return m.index == index; });
        if (it == m_lastChange.end()) {
            m_lastChange.push_back(StatusMemory{index, operStatus, 0});
            return 0;
        }
        if (it->operStatus != operStatus) {
            it->operStatus = operStatus;
            it->since = centisecondsSinceBoot();
        }
        return it->since;
    }

    std::vector<StatusMemory> m_lastChange;
};

// The classic table, with 32-bit counters that wrap; used where the 64-bit one cannot be read.
class IfTableReader {
public:
    bool read(std::vector<InterfaceRow>& rows) {
        MIB_IFTABLE* t = nullptr;
        if (win::readGrowingTable(m_buffer, t, [](MIB_IFTABLE* table, ULONG* size) {
                return GetIfTable(table, size, TRUE);
            }) != NO_ERROR) {
            return false;
        }
        rows.resize(t->dwNumEntries);
        for (DWORD i = 0; i < t->dwNumEntries; ++i) {
            win::fromIfRow(t->table[i], rows[i]);
        }
        std::sort(rows.begin(), rows.end(), byIndex);
        return true;
    }

    bool present() {
        ULONG size = 0;
        return GetIfTable(nullptr, &size, TRUE) == ERROR_INSUFFICIENT_BUFFER && size > 0;
    }

private:
    std::vector<unsigned char> m_buffer;
};

class WinNetworkTables final : public NetworkTables {
public:
    explicit WinNetworkTables(bool wideCounters) {
        // The source is chosen once: switching counter widths midway would look like a counter jump.
        std::vector<InterfaceRow> probe;
        m_wide = wideCounters && m_ifTable2.read(probe);
        m_available = m_wide || m_ifTable.present();
    }

    bool available() const override { return m_available; }
    int counterBits() const override { return m_wide ? 64 : 32; }

    bool readInterfaces(std::vector<InterfaceRow>& rows) override {
        if (!m_available) {
            return false;
        }
        return m_wide ? m_ifTable2.read(rows) : m_ifTable.read(rows);
    }

    bool readAddresses(std::vector<AddressRow>& rows) override {
        MIB_IPADDRTABLE* table = nullptr;
        const DWORD result = win::readGrowingTable(
            m_addrBuffer, table, [](MIB_IPADDRTABLE* t, ULONG* size) { return GetIpAddrTable(t, size, TRUE); });
        rows.clear();
        if (result == ERROR_NO_DATA) {
            return true; // no addresses at all is a valid answer
        }
        if (result != NO_ERROR) {
            return false;
        }
        // Ascending address order (as asked for), except that an interface's primary address comes first.
        for (const bool primaryPass : {true, false}) {
            for (DWORD i = 0; i < table->dwNumEntries; ++i) {
                const MIB_IPADDRROW& source = table->table[i];
                const bool skipped = (source.wType & MIB_IPADDR_DELETED) != 0;
                if (!skipped && ((source.wType & MIB_IPADDR_PRIMARY) != 0) == primaryPass) {
                    rows.push_back(AddressRow{source.dwAddr, source.dwIndex, source.dwMask});
                }
            }
        }
        return true;
    }

private:
    IfTable2Reader m_ifTable2;
    IfTableReader m_ifTable;
    bool m_wide = false;
    bool m_available = false;
    std::vector<unsigned char> m_addrBuffer;
};

} // namespace

namespace win {

std::unique_ptr<NetworkTables> makeNetworkTables(bool wideCounters) {
    return std::make_unique<WinNetworkTables>(wideCounters);
}

} // namespace win

std::unique_ptr<NetworkTables> makeSystemNetworkTables() {
    return win::makeNetworkTables(true);
}

} // namespace tw
