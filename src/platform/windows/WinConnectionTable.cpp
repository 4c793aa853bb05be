#include "platform/ConnectionTable.h"
#include "platform/windows/IpHelperBuffer.h"

// Order matters: Winsock 2 before the IP Helper headers, which need it.
#include <winsock2.h>

#include <ws2tcpip.h>

#include <iphlpapi.h>

#include <cstring>

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
};

} // namespace

std::unique_ptr<ConnectionTable> makeSystemConnectionTable() {
    return std::make_unique<WinConnectionTable>();
}

} // namespace tw
