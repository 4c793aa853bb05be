#pragma once

#include <cstddef>
#include <cstdint>

namespace twtest {

// A socket on the loopback interface, closed with the object: what the contract tests need to make the system's
// tables show something known. The only place of the suite that differs between systems.
class LoopbackSocket {
public:
    enum class Kind { TcpListener, Udp };
    // Bound to 127.0.0.1 (or ::1) on a free port; valid() is false when the system refuses (no IPv6, for example).
    LoopbackSocket(Kind kind, bool v6 = false);
    ~LoopbackSocket();
    LoopbackSocket(const LoopbackSocket&) = delete;
    LoopbackSocket& operator=(const LoopbackSocket&) = delete;

    bool valid() const;
    std::uint16_t port() const { return m_port; }

    // UDP only: sends count datagrams of size bytes to 127.0.0.1:port and reads back what arrives on this socket.
    // Returns the number of bytes received.
    std::size_t sendToSelf(std::size_t count, std::size_t size);

private:
    std::intptr_t m_socket;
    std::uint16_t m_port = 0;
};

} // namespace twtest
