#pragma once

#include <cstdint>
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

} // namespace twtest
