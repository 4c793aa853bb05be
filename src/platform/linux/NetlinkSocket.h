#pragma once

#include <cstddef>
#include <cstdint>
#include <linux/netlink.h>
#include <vector>

namespace tw {

// One netlink socket (rtnetlink unless another protocol is given) kept open for repeated table dumps. A dump is a
// request followed by next() until it returns nullptr; replies that do not carry this dump's sequence number (left over
// from an earlier, abandoned dump) are skipped. The receive buffer is kept between dumps.
class NetlinkSocket {
public:
    explicit NetlinkSocket(int protocol = NETLINK_ROUTE);
    ~NetlinkSocket();
    NetlinkSocket(const NetlinkSocket&) = delete;
    NetlinkSocket& operator=(const NetlinkSocket&) = delete;

    bool isOpen() const { return m_fd >= 0; }

    // Sends a dump request whose family header (ifinfomsg, ifaddrmsg...) is the given bytes.
    bool requestDump(std::uint16_t type, const void* header, std::size_t headerSize);
    // The next message of the current dump, or nullptr at its end or on failure (see failed()).
    const nlmsghdr* next();
    // The dump ended with an error, was interrupted by a table change, or a reply did not fit the buffer.
    bool failed() const { return m_failed; }

    // Sends one change request whose family header is the given bytes and waits for the kernel's answer: 0 when
    // it was done, else the errno value it failed with.
    int change(std::uint16_t type, const void* header, std::size_t headerSize);

private:
    // Sends one request; 0, or the errno of the failure.
    int send(std::uint16_t type, std::uint16_t flags, const void* header, std::size_t headerSize);
    bool receive();

    int m_fd = -1;
    std::uint32_t m_portId = 0;
    std::uint32_t m_seq = 0;
    std::vector<char> m_buffer;
    std::size_t m_length = 0;
    std::size_t m_offset = 0;
    bool m_done = true;
    bool m_failed = false;
};

} // namespace tw
