#pragma once

#include "platform/ConnectionTable.h"

#include <string>
#include <vector>

namespace tw {

// The texts of one row of the connection window, in column order.
struct ConnectionRowText {
    std::string remoteHost;
    std::string remotePort;
    std::string localHost;
    std::string localPort;
    std::string protocol;
    std::string state;
    std::string process;       // "name (PID)" of the owning program; empty where this user may not see it
    bool remoteIsIpv4 = false; // the remote host can be traced
};

// Turns the system's TCP and UDP tables into the rows of the connection window: TCP rows, then UDP rows, each
// sorted by local then remote address and port, IPv4 before IPv6.
class ConnectionList {
public:
    explicit ConnectionList(const ConnectionTable& table) : m_table(table) {}

    // hideUnspecifiedAndLoopback leaves out rows whose local address is 0.0.0.0, 127.0.0.1, :: or ::1.
    std::vector<ConnectionRowText> rows(bool hideUnspecifiedAndLoopback) const;

    static std::string c_ip(const IpAddress& address);
    static unsigned c_port(std::uint16_t port) { return port; }
    static std::string stateText(int mibState);
    static std::string processText(const SocketOwner& owner);

private:
    const ConnectionTable& m_table;
};

} // namespace tw
