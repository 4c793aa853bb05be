#pragma once

#include "platform/IpAddress.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tw {

// TCP states in the MIB numbering (1 closed ... 12 delete TCB).
enum class MibTcpState : int {
    Closed = 1,
    Listen = 2,
    SynSent = 3,
    SynReceived = 4,
    Established = 5,
    FinWait1 = 6,
    FinWait2 = 7,
    CloseWait = 8,
    Closing = 9,
    LastAck = 10,
    TimeWait = 11,
    DeleteTcb = 12,
};

struct IpEndpoint {
    IpAddress address;
    std::uint16_t port = 0; // host order
    friend auto operator<=>(const IpEndpoint&, const IpEndpoint&) = default;
};

// The program a socket belongs to.
struct SocketOwner {
    long pid = 0;     // 0: not known, or not this user's to see
    std::string name; // the program's name as the system lists its processes
    friend bool operator==(const SocketOwner&, const SocketOwner&) = default;
};

struct TcpTableRow {
    int state = 0; // MibTcpState value; 0 when the system reported a state the MIB does not know
    IpEndpoint local;
    IpEndpoint remote;
    SocketOwner owner = {};
};

struct UdpTableRow {
    IpEndpoint local;
    SocketOwner owner = {};
};

struct ConnectionTables {
    std::optional<std::vector<TcpTableRow>> tcp;
    std::optional<std::vector<UdpTableRow>> udp;
};

// The machine's sockets at the moment of the call, IPv4 and IPv6, every one of them.
// std::nullopt when the table cannot be read.
class ConnectionTable {
public:
    virtual ~ConnectionTable() = default;
    // The sockets alone: no owners.
    virtual std::optional<std::vector<TcpTableRow>> tcpTable() const = 0;
    virtual std::optional<std::vector<UdpTableRow>> udpTable() const = 0;
    // Both tables with the owner of every socket this user may see; the processes are looked at once for both.
    virtual ConnectionTables tablesWithOwners() const = 0;
};

std::unique_ptr<ConnectionTable> makeSystemConnectionTable();

} // namespace tw
