#pragma once

#include <cstddef>
#include <cstdint>
#include <ostream>
#include <string>

namespace twtest {

// True when this process may create network namespaces (root with a usable `ip netns`); `why` says otherwise.
bool netNamespacesUsable(std::string* why);

// Runs a shell command; true when it exited 0. The output goes to `out` when given.
bool shell(const std::string& command, std::string* out = nullptr);

// A named network namespace, deleted (with its interfaces) at the end of the object's life.
class NetNamespace {
public:
    explicit NetNamespace(std::string prefix);
    ~NetNamespace();
    NetNamespace(const NetNamespace&) = delete;
    NetNamespace& operator=(const NetNamespace&) = delete;

    const std::string& name() const { return m_name; }
    // Runs a command inside the namespace.
    bool exec(const std::string& command, std::string* out = nullptr) const;
    // An interface's kernel counter (e.g. "rx_bytes") read inside the namespace.
    std::uint64_t counter(const std::string& interface, const std::string& counter) const;

private:
    std::string m_name;
};

// Connects two namespaces with a veth pair: a (address addrA/24) in `left`, b (addrB/24) in `right`, both up,
// IPv6 off and static neighbour entries, so no traffic flows unless a test sends it.
void connectVeth(const NetNamespace& left, const std::string& ifA, const std::string& addrA, const NetNamespace& right,
                 const std::string& ifB, const std::string& addrB);

// Sends `count` UDP datagrams of `size` payload bytes from inside the namespace to the address and port.
bool sendUdpFrom(const NetNamespace& ns, const std::string& toAddress, std::uint16_t port, int count, int size);

// Moves the calling thread (only it: setns() is per thread) into the namespace.
bool enterNamespace(const NetNamespace& ns);

// A UDP socket bound to the address and port inside the namespace (it stays there, whatever thread uses it); -1 on
// failure.
int udpSocketIn(const NetNamespace& ns, const std::string& address, std::uint16_t port);

// Sends `count` datagrams of `size` payload bytes on the socket; true when all went.
bool sendDatagrams(int fd, const std::string& toAddress, std::uint16_t port, int count, std::size_t size);

// The byte counters of an interface of the calling thread's namespace, read from /proc apart from netlink.
struct LinkBytes {
    std::uint64_t received = 0;
    std::uint64_t sent = 0;
    LinkBytes operator-(const LinkBytes& earlier) const { return {received - earlier.received, sent - earlier.sent}; }
    LinkBytes operator+(const LinkBytes& other) const { return {received + other.received, sent + other.sent}; }
    bool operator==(const LinkBytes&) const = default;
};
bool procCounters(const std::string& interface, LinkBytes& bytes);

// The interface's hardware address as text, read inside the namespace.
std::string macOf(const NetNamespace& ns, const std::string& interface);

inline std::ostream& operator<<(std::ostream& out, const LinkBytes& b) {
    return out << "{received " << b.received << ", sent " << b.sent << "}";
}

} // namespace twtest
