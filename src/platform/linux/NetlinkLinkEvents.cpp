#include "platform/linux/NetlinkLinkEvents.h"

#include <cerrno>
#include <linux/rtnetlink.h>
#include <sys/socket.h>
#include <unistd.h>

namespace tw {

namespace {
constexpr std::size_t kBuffer = 64 * 1024;
// Room for a few hundred link messages between two passes (containers starting together).
constexpr int kQueueBytes = 1024 * 1024;
} // namespace

NetlinkLinkEvents::NetlinkLinkEvents() : m_buffer(kBuffer) {
    m_fd = ::socket(AF_NETLINK, SOCK_RAW | SOCK_CLOEXEC | SOCK_NONBLOCK, NETLINK_ROUTE);
    if (m_fd < 0) {
        return;
    }
    sockaddr_nl local{};
    local.nl_family = AF_NETLINK;
    local.nl_groups = RTMGRP_LINK;
    if (::bind(m_fd, reinterpret_cast<sockaddr*>(&local), sizeof(local)) != 0) {
        ::close(m_fd);
        m_fd = -1;
        return;
    }
    // Beyond the system's limit only a privileged process may go; a smaller queue still works.
    if (::setsockopt(m_fd, SOL_SOCKET, SO_RCVBUFFORCE, &kQueueBytes, sizeof(kQueueBytes)) != 0) {
        ::setsockopt(m_fd, SOL_SOCKET, SO_RCVBUF, &kQueueBytes, sizeof(kQueueBytes));
    }
}

NetlinkLinkEvents::~NetlinkLinkEvents() {
    if (m_fd >= 0) {
        ::close(m_fd);
    }
}

const nlmsghdr* NetlinkLinkEvents::next() {
    while (m_fd >= 0) {
        if (m_offset >= m_length) {
            m_length = m_offset = 0;
            const ssize_t got = ::recv(m_fd, m_buffer.data(), m_buffer.size(), MSG_DONTWAIT | MSG_TRUNC);
            if (got < 0) {
                if (errno == ENOBUFS) {
                    m_lost = true; // the queue overflowed; what is still queued is read on
                    continue;
                }
                if (errno == EINTR) {
                    continue;
                }
                return nullptr; // EAGAIN: nothing more queued
            }
            if (got == 0) {
                return nullptr;
            }
            if (static_cast<std::size_t>(got) > m_buffer.size()) {
                m_buffer.resize(static_cast<std::size_t>(got)); // that message is lost; the next one fits
                continue;
            }
            m_length = static_cast<std::size_t>(got);
        }
        auto* msg = reinterpret_cast<const nlmsghdr*>(m_buffer.data() + m_offset);
        if (!NLMSG_OK(msg, m_length - m_offset)) {
            m_offset = m_length;
            continue;
        }
        m_offset += NLMSG_ALIGN(msg->nlmsg_len);
        if (msg->nlmsg_type == RTM_NEWLINK || msg->nlmsg_type == RTM_DELLINK) {
            return msg;
        }
    }
    return nullptr;
}

} // namespace tw
