#include "platform/ConnectionTable.h"
#include "platform/windows/IpHelperBuffer.h"
#include "platform/windows/WideString.h"

// Order matters: Winsock 2 before the IP Helper headers, which need it.
#include <winsock2.h>

#include <ws2tcpip.h>

#include <iphlpapi.h>

#include <tlhelp32.h> // needs windows.h first

#include <cstring>
#include <string>
#include <unordered_map>

namespace tw {

namespace {

// Ports sit in the low 16 bits of a DWORD, in network order.
std::uint16_t portOf(DWORD value) {
    return ntohs(static_cast<u_short>(value & 0xFFFF));
}

IpEndpoint v4Endpoint(DWORD address, DWORD port) {
    IpEndpoint e;
    std::memcpy(e.address.bytes.data(), &address, 4);
    e.port = portOf(port);
    return e;
}

IpEndpoint v6Endpoint(const UCHAR (&address)[16], DWORD port) {
    IpEndpoint e;
    e.address.v6 = true;
    std::memcpy(e.address.bytes.data(), address, 16);
    e.port = portOf(port);
    return e;
}

IpEndpoint v6Endpoint(const IN6_ADDR& address, DWORD port) {
    IpEndpoint e;
    e.address.v6 = true;
    std::memcpy(e.address.bytes.data(), &address, 16);
    e.port = portOf(port);
    return e;
}

// The system numbers the states as the MIB does; anything else is unknown.
int mibState(DWORD state) {
    return state >= static_cast<DWORD>(MibTcpState::Closed) && state <= static_cast<DWORD>(MibTcpState::DeleteTcb)
               ? static_cast<int>(state)
               : 0;
}

TcpTableRow tcpRow(int state, IpEndpoint local, IpEndpoint remote) {
    // A listening socket has no peer; the system leaves stale bytes in its remote port.
    if (state == static_cast<int>(MibTcpState::Listen)) {
        remote.port = 0;
    }
    return TcpTableRow{state, local, remote};
}

// The executable names of the running processes, by process id, from one Toolhelp snapshot.
std::unordered_map<DWORD, std::string> processNames() {
    std::unordered_map<DWORD, std::string> names;
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) {
        return names;
    }
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
        names.emplace(entry.th32ProcessID,
                      win::toUtf8(std::wstring_view(entry.szExeFile, wcsnlen(entry.szExeFile, MAX_PATH))));
    }
    CloseHandle(snapshot);
    return names;
}

class Owners {
public:
    SocketOwner of(DWORD pid) const {
        // Process 0 is the idle process: sockets in time-wait report it, and they belong to nobody.
        if (pid == 0) {
            return {};
        }
        const auto it = m_names.find(pid);
        return SocketOwner{static_cast<long>(pid), it == m_names.end() ? std::string() : it->second};
    }

private:
    std::unordered_map<DWORD, std::string> m_names = processNames();
};

template <typename Table, typename Read> Table* readOwnerTable(std::vector<unsigned char>& buffer, Read read) {
    Table* table = nullptr;
    return win::readGrowingTable(buffer, table, [&](Table* t, ULONG* size) { return read(t, size); }) == NO_ERROR
               ? table
               : nullptr;
}

class WinConnectionTable final : public ConnectionTable {
public:
    std::optional<std::vector<TcpTableRow>> tcpTable() const override {
        std::vector<unsigned char> buffer;
        MIB_TCPTABLE* v4 = nullptr;
        if (win::readGrowingTable(
                buffer, v4, [](MIB_TCPTABLE* t, ULONG* size) { return GetTcpTable(t, size, TRUE); }) != NO_ERROR) {
            return std::nullopt;
        }
        std::vector<TcpTableRow> rows;
        rows.reserve(v4->dwNumEntries);
        for (DWORD i = 0; i < v4->dwNumEntries; ++i) {
            const MIB_TCPROW& r = v4->table[i];
            const int state = mibState(r.dwState);
            rows.push_back(
                tcpRow(state, v4Endpoint(r.dwLocalAddr, r.dwLocalPort), v4Endpoint(r.dwRemoteAddr, r.dwRemotePort)));
        }
        // A system without IPv6 has no such table: the IPv4 rows are the whole answer.
        MIB_TCP6TABLE* v6 = nullptr;
        if (win::readGrowingTable(
                buffer, v6, [](MIB_TCP6TABLE* t, ULONG* size) { return GetTcp6Table(t, size, TRUE); }) == NO_ERROR) {
            for (DWORD i = 0; i < v6->dwNumEntries; ++i) {
                const MIB_TCP6ROW& r = v6->table[i];
                rows.push_back(tcpRow(mibState(static_cast<DWORD>(r.State)), v6Endpoint(r.LocalAddr, r.dwLocalPort),
                                      v6Endpoint(r.RemoteAddr, r.dwRemotePort)));
            }
        }
        return rows;
    }

    std::optional<std::vector<UdpTableRow>> udpTable() const override {
        std::vector<unsigned char> buffer;
        MIB_UDPTABLE* v4 = nullptr;
        if (win::readGrowingTable(
                buffer, v4, [](MIB_UDPTABLE* t, ULONG* size) { return GetUdpTable(t, size, TRUE); }) != NO_ERROR) {
            return std::nullopt;
        }
        std::vector<UdpTableRow> rows;
        rows.reserve(v4->dwNumEntries);
        for (DWORD i = 0; i < v4->dwNumEntries; ++i) {
            rows.push_back(UdpTableRow{v4Endpoint(v4->table[i].dwLocalAddr, v4->table[i].dwLocalPort)});
        }
        MIB_UDP6TABLE* v6 = nullptr;
        if (win::readGrowingTable(
                buffer, v6, [](MIB_UDP6TABLE* t, ULONG* size) { return GetUdp6Table(t, size, TRUE); }) == NO_ERROR) {
            for (DWORD i = 0; i < v6->dwNumEntries; ++i) {
                rows.push_back(UdpTableRow{v6Endpoint(v6->table[i].dwLocalAddr, v6->table[i].dwLocalPort)});
            }
        }
        return rows;
    }

    ConnectionTables tablesWithOwners() const override {
        const Owners owners;
        std::vector<unsigned char> buffer;
        ConnectionTables tables;
        if (auto* v4 = readOwnerTable<MIB_TCPTABLE_OWNER_PID>(buffer, [](MIB_TCPTABLE_OWNER_PID* t, ULONG* size) {
                return GetExtendedTcpTable(t, size, TRUE, AF_INET, TCP_TABLE_OWNER_PID_ALL, 0);
            })) {
            tables.tcp.emplace();
            for (DWORD i = 0; i < v4->dwNumEntries; ++i) {
                const MIB_TCPROW_OWNER_PID& r = v4->table[i];
                TcpTableRow row = tcpRow(mibState(r.dwState), v4Endpoint(r.dwLocalAddr, r.dwLocalPort),
                                         v4Endpoint(r.dwRemoteAddr, r.dwRemotePort));
                row.owner = owners.of(r.dwOwningPid);
                tables.tcp->push_back(row);
            }
            if (auto* v6 = readOwnerTable<MIB_TCP6TABLE_OWNER_PID>(buffer, [](MIB_TCP6TABLE_OWNER_PID* t, ULONG* size) {
                    return GetExtendedTcpTable(t, size, TRUE, AF_INET6, TCP_TABLE_OWNER_PID_ALL, 0);
                })) {
                for (DWORD i = 0; i < v6->dwNumEntries; ++i) {
                    const MIB_TCP6ROW_OWNER_PID& r = v6->table[i];
                    TcpTableRow row = tcpRow(mibState(r.dwState), v6Endpoint(r.ucLocalAddr, r.dwLocalPort),
                                             v6Endpoint(r.ucRemoteAddr, r.dwRemotePort));
                    row.owner = owners.of(r.dwOwningPid);
                    tables.tcp->push_back(row);
                }
            }
        }
        if (auto* v4 = readOwnerTable<MIB_UDPTABLE_OWNER_PID>(buffer, [](MIB_UDPTABLE_OWNER_PID* t, ULONG* size) {
                return GetExtendedUdpTable(t, size, TRUE, AF_INET, UDP_TABLE_OWNER_PID, 0);
            })) {
            tables.udp.emplace();
            for (DWORD i = 0; i < v4->dwNumEntries; ++i) {
                const MIB_UDPROW_OWNER_PID& r = v4->table[i];
                tables.udp->push_back(UdpTableRow{v4Endpoint(r.dwLocalAddr, r.dwLocalPort), owners.of(r.dwOwningPid)});
            }
            if (auto* v6 = readOwnerTable<MIB_UDP6TABLE_OWNER_PID>(buffer, [](MIB_UDP6TABLE_OWNER_PID* t, ULONG* size) {
                    return GetExtendedUdpTable(t, size, TRUE, AF_INET6, UDP_TABLE_OWNER_PID, 0);
                })) {
                for (DWORD i = 0; i < v6->dwNumEntries; ++i) {
                    const MIB_UDP6ROW_OWNER_PID& r = v6->table[i];
                    tables.udp->push_back(
                        UdpTableRow{v6Endpoint(r.ucLocalAddr, r.dwLocalPort), owners.of(r.dwOwningPid)});
                }
            }
        }
        return tables;
    }
};

} // namespace

std::unique_ptr<ConnectionTable> makeSystemConnectionTable() {
    return std::make_unique<WinConnectionTable>();
}

} // namespace tw
