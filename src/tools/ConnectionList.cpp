#include "tools/ConnectionList.h"

#include "tools/AddressText.h"

#include <algorithm>
#include <tuple>

namespace tw {

namespace {

bool isHidden(const std::string& localHost) {
    return localHost == "0.0.0.0" || localHost == "127.0.0.1" || localHost == "::" || localHost == "::1";
}

auto sortKey(const IpEndpoint& e) {
    return std::tie(e.address.v6, e.address.bytes, e.port);
}

} // namespace

std::string ConnectionList::c_ip(const IpAddress& address) {
    return formatIpAddress(address);
}

std::string ConnectionList::stateText(int mibState) {
    switch (static_cast<MibTcpState>(mibState)) {
    case MibTcpState::Closed:
        return "Closed";
    case MibTcpState::Listen:
        return "Listening";
    case MibTcpState::SynSent:
        return "SYN Sent";
    case MibTcpState::SynReceived:
        return "SYN Received";
    case MibTcpState::Established:
        return "Established";
    case MibTcpState::FinWait1:
    case MibTcpState::FinWait2:
        return "Waiting for FIN";
    case MibTcpState::CloseWait:
        return "Waiting for Close";
    case MibTcpState::Closing:
        return "Closing";
    case MibTcpState::LastAck:
        return "Last ACK";
    case MibTcpState::TimeWait:
        return "Time Wait";
    case MibTcpState::DeleteTcb:
        return "TCB deleted";
    }
    return {};
}

std::string ConnectionList::processText(const SocketOwner& owner) {
    if (owner.pid == 0) {
        return {};
    }
    const std::string pid = std::to_string(owner.pid);
    return owner.name.empty() ? pid : owner.name + " (" + pid + ")";
}

std::vector<ConnectionRowText> ConnectionList::rows(bool hideUnspecifiedAndLoopback) const {
    std::vector<ConnectionRowText> out;
    ConnectionTables tables = m_table.tablesWithOwners();
    if (auto& tcp = tables.tcp) {
        std::stable_sort(tcp->begin(), tcp->end(), [](const TcpTableRow& a, const TcpTableRow& b) {
            return std::tuple_cat(sortKey(a.local), sortKey(a.remote)) <
                   std::tuple_cat(sortKey(b.local), sortKey(b.remote));
        });
        for (const TcpTableRow& row : *tcp) {
            ConnectionRowText text;
            text.localHost = c_ip(row.local.address);
            if (hideUnspecifiedAndLoopback && isHidden(text.localHost)) {
                continue;
            }
            text.remoteHost = c_ip(row.remote.address);
            // A listening socket has no remote end; the system may report any port there.
            const bool listening = row.state == static_cast<int>(MibTcpState::Listen);
            text.remotePort = listening ? "0" : std::to_string(c_port(row.remote.port));
            text.localPort = std::to_string(c_port(row.local.port));
            text.protocol = "TCP";
            text.state = stateText(row.state);
            text.process = processText(row.owner);
            text.remoteIsIpv4 = parseIpv4(text.remoteHost).has_value();
            out.push_back(std::move(text));
        }
    }
    if (auto& udp = tables.udp) {
        std::stable_sort(udp->begin(), udp->end(), [](const UdpTableRow& a, const UdpTableRow& b) {
            return sortKey(a.local) < sortKey(b.local);
        });
        for (const UdpTableRow& row : *udp) {
            ConnectionRowText text{"-",   "-", c_ip(row.local.address), std::to_string(c_port(row.local.port)),
                                   "UDP", "-", processText(row.owner),  false};
            if (hideUnspecifiedAndLoopback && isHidden(text.localHost)) {
                continue;
            }
            out.push_back(std::move(text));
        }
    }
    return out;
}

} // namespace tw
