#include "platform/linux/NetlinkSocket.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

namespace tw {

namespace {
constexpr std::size_t kInitialBuffer = 64 * 1024;
constexpr std::size_t kMaxBuffer = 4 * 1024 * 1024;
} // namespace

NetlinkSocket::NetlinkSocket(int protocol) : m_buffer(kInitialBuffer) {
    m_fd = ::socket(AF_NETLINK, SOCK_RAW | SOCK_CLOEXEC, protocol);
    if (m_fd < 0) {
        return;
    }
    sockaddr_nl local{};
    local.nl_family = AF_NETLINK;
    socklen_t len = sizeof(local);
    // The kernel answers dumps at once; the timeout only guards against a wedged socket freezing the window.
    timeval timeout{1, 0};
    if (::bind(m_fd, reinterpret_cast<sockaddr*>(&local), sizeof(local)) != 0 ||
        ::getsockname(m_fd, reinterpret_cast<sockaddr*>(&local), &len) != 0 ||
        ::setsockopt(m_fd, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof(timeout)) != 0) {
        ::close(m_fd);
        m_fd = -1;
        return;
    }
    m_portId = local.nl_pid;
}

NetlinkSocket::~NetlinkSocket() {
    if (m_fd >= 0) {
        ::close(m_fd);
    }
}

int NetlinkSocket::send(std::uint16_t type, std::uint16_t flags, const void* header, std::size_t headerSize) {
    if (m_fd < 0) {
        return EBADF;
    }
    struct {
        nlmsghdr hdr;
        char body[64];
    } request{};
    if (headerSize > sizeof(request.body)) {
        return EINVAL;
    }
    request.hdr.nlmsg_len = static_cast<std::uint32_t>(NLMSG_LENGTH(headerSize));
    request.hdr.nlmsg_type = type;
    request.hdr.nlmsg_flags = flags;
    request.hdr.nlmsg_seq = ++m_seq;
    std::memcpy(request.body, header, headerSize);

    sockaddr_nl kernel{};
    kernel.nl_family = AF_NETLINK;
    ssize_t sent;
    do {
        sent = ::sendto(m_fd, &request, request.hdr.nlmsg_len, 0, reinterpret_cast<sockaddr*>(&kernel), sizeof(kernel));
    } while (sent < 0 && errno == EINTR);
    if (sent != static_cast<ssize_t>(request.hdr.nlmsg_len)) {
        return sent < 0 ? errno : EIO;
    }
    return 0;
}

bool NetlinkSocket::requestDump(std::uint16_t type, const void* header, std::size_t headerSize) {
    m_done = true;
    m_failed = true;
    if (send(type, NLM_F_REQUEST | NLM_F_DUMP, header, headerSize) != 0) {
        return false;
    }
    m_length = m_offset = 0;
    m_done = false;
    m_failed = false;
    return true;
}

bool NetlinkSocket::receive() {
    for (;;) {
        const ssize_t got = ::recv(m_fd, m_buffer.data(), m_buffer.size(), MSG_TRUNC);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        if (static_cast<std::size_t>(got) > m_buffer.size()) {
            // The reply was cut; this dump is lost, but the next one will fit.
            m_buffer.resize(std::min(kMaxBuffer, static_cast<std::size_t>(got) * 2));
            return false;
        }
        m_length = static_cast<std::size_t>(got);
        m_offset = 0;
        return true;
    }
}

const nlmsghdr* NetlinkSocket::next() {
    while (!m_done) {
        if (m_offset >= m_length) {
            if (!receive()) {
                m_done = m_failed = true;
                return nullptr;
            }
        }
        auto* msg = reinterpret_cast<const nlmsghdr*>(m_buffer.data() + m_offset);
        const std::size_t remaining = m_length - m_offset;
        if (!NLMSG_OK(msg, remaining)) {
            m_offset = m_length;
            continue;
        }
        m_offset += NLMSG_ALIGN(msg->nlmsg_len);
        if (msg->nlmsg_seq != m_seq || msg->nlmsg_pid != m_portId) {
            continue;
        }
        if (msg->nlmsg_flags & NLM_F_DUMP_INTR) {
            m_failed = true;
        }
        if (msg->nlmsg_type == NLMSG_DONE) {
            m_done = true;
            return nullptr;
        }
        if (msg->nlmsg_type == NLMSG_ERROR) {
            m_done = m_failed = true;
            return nullptr;
        }
        return msg;
    }
    return nullptr;
}

int NetlinkSocket::change(std::uint16_t type, const void* header, std::size_t headerSize) {
    m_done = true; // any dump in progress is abandoned
    if (const int error = send(type, NLM_F_REQUEST | NLM_F_ACK, header, headerSize); error != 0) {
        return error;
    }
    for (;;) {
        if (!receive()) {
            return errno != 0 ? errno : EIO;
        }
        for (std::size_t offset = 0; offset < m_length;) {
            auto* msg = reinterpret_cast<const nlmsghdr*>(m_buffer.data() + offset);
            if (!NLMSG_OK(msg, m_length - offset)) {
                break;
            }
            offset += NLMSG_ALIGN(msg->nlmsg_len);
            if (msg->nlmsg_seq != m_seq || msg->nlmsg_pid != m_portId || msg->nlmsg_type != NLMSG_ERROR) {
                continue;
            }
            const auto* answer = static_cast<const nlmsgerr*>(NLMSG_DATA(msg));
            return -answer->error; // the kernel sends 0 or a negative errno
        }
    }
}

} // namespace tw
