#pragma once

#include <cstddef>
#include <linux/netlink.h>
#include <utility>
#include <vector>

namespace tw {

// A subscription to the kernel's link events (new, changed and deleted links) of this network namespace, read
// without blocking: next() gives the messages queued so far, then nullptr. Events lost to a full queue are lost:
// the readers fall back on what the next dump shows.
class NetlinkLinkEvents {
public:
    NetlinkLinkEvents();
    ~NetlinkLinkEvents();
    NetlinkLinkEvents(const NetlinkLinkEvents&) = delete;
    NetlinkLinkEvents& operator=(const NetlinkLinkEvents&) = delete;

    bool isOpen() const { return m_fd >= 0; }
    // The next queued link message, or nullptr when none is left.
    const nlmsghdr* next();
    // Whether events were lost to a full queue since the last call.
    bool takeLost() { return std::exchange(m_lost, false); }

private:
    int m_fd = -1;
    std::vector<char> m_buffer;
    std::size_t m_length = 0;
    std::size_t m_offset = 0;
    bool m_lost = false;
};

} // namespace tw
