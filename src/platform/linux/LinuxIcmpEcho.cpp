#include "platform/IcmpEcho.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <linux/errqueue.h>
#include <netinet/in.h>
#include <netinet/ip.h>
#include <netinet/ip_icmp.h>
#include <poll.h>
#include <random>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>
#include <vector>

namespace tw {

namespace {

constexpr std::uint8_t kEchoReply = 0;
constexpr std::uint8_t kUnreachable = 3;
constexpr std::uint8_t kEchoRequest = 8;
constexpr std::uint8_t kTimeExceeded = 11;
constexpr std::size_t kEchoHeaderSize = 8;

std::uint16_t checksum(const std::uint8_t* data, std::size_t size) {
    std::uint32_t sum = 0;
    for (std::size_t i = 0; i + 1 < size; i += 2) {
        sum += static_cast<std::uint32_t>(data[i] << 8 | data[i + 1]);
    }
    if (size % 2) {
        sum += static_cast<std::uint32_t>(data[size - 1] << 8);
    }
    while (sum >> 16) {
        sum = (sum & 0xffff) + (sum >> 16);
    }
    return static_cast<std::uint16_t>(~sum);
}

std::uint16_t read16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] << 8 | p[1]);
}

Ipv4Address toAddress(const in_addr& a) {
    Ipv4Address out{};
    std::memcpy(out.data(), &a.s_addr, out.size());
    return out;
}

// Either an unprivileged ping socket (the kernel owns the identifier and hands over only our answers; ICMP errors
// arrive on the error queue) or a raw socket (every ICMP packet of the namespace, IP header included).
class LinuxIcmpEcho final : public IcmpEcho {
public:
    LinuxIcmpEcho(int fd, bool raw, int wakeFd) : m_fd(fd), m_raw(raw), m_wakeFd(wakeFd) {
        std::random_device rd;
        m_id = static_cast<std::uint16_t>(rd());
        m_sequence = static_cast<std::uint16_t>(rd());
    }
    ~LinuxIcmpEcho() override {
        ::close(m_fd);
        ::close(m_wakeFd);
    }

    EchoResult send(const Ipv4Address& destination, int ttl, std::size_t payloadSize, int timeoutMs) override {
        if (m_cancelled.load()) {
            return {};
        }
        if (::setsockopt(m_fd, IPPROTO_IP, IP_TTL, &ttl, sizeof(ttl)) != 0) {
            return {EchoStatus::Error, {}, 0};
        }
        const std::uint16_t sequence = ++m_sequence;
        std::vector<std::uint8_t> packet(kEchoHeaderSize + payloadSize, 'a');
        packet[0] = kEchoRequest;
        packet[1] = 0;
        packet[2] = packet[3] = 0;
        packet[4] = static_cast<std::uint8_t>(m_id >> 8);
        packet[5] = static_cast<std::uint8_t>(m_id);
        packet[6] = static_cast<std::uint8_t>(sequence >> 8);
        packet[7] = static_cast<std::uint8_t>(sequence);
        const std::uint16_t sum = checksum(packet.data(), packet.size());
        packet[2] = static_cast<std::uint8_t>(sum >> 8);
        packet[3] = static_cast<std::uint8_t>(sum);

        sockaddr_in to{};
        to.sin_family = AF_INET;
        std::memcpy(&to.sin_addr.s_addr, destination.data(), destination.size());
        drainErrors();
        const auto start = std::chrono::steady_clock::now();
        if (::sendto(m_fd, packet.data(), packet.size(), 0, reinterpret_cast<const sockaddr*>(&to), sizeof(to)) < 0) {
            return {EchoStatus::Error, {}, 0};
        }
        const auto deadline = start + std::chrono::milliseconds(timeoutMs);
        for (;;) {
            const auto now = std::chrono::steady_clock::now();
            if (now >= deadline) {
                return {};
            }
            const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - now).count();
            pollfd fds[2] = {{m_fd, POLLIN, 0}, {m_wakeFd, POLLIN, 0}};
            const int ready = ::poll(fds, 2, static_cast<int>(left));
            if (ready < 0 && errno != EINTR) {
                return {EchoStatus::Error, {}, 0};
            }
            if (m_cancelled.load()) {
                return {};
            }
            if (ready <= 0) {
                continue;
            }
            EchoResult result;
            const bool matched = (fds[0].revents & POLLERR) ? readError(sequence, result)
                                 : m_raw                    ? readRaw(destination, sequence, result)
                                                            : readReply(sequence, result);
            if (matched) {
                const auto elapsed = std::chrono::steady_clock::now() - start;
                result.roundTripMs =
                    static_cast<std::uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
                return result;
            }
        }
    }

    void cancel() override {
        m_cancelled.store(true);
        const std::uint64_t one = 1;
        [[maybe_unused]] const auto written = ::write(m_wakeFd, &one, sizeof(one));
    }

private:
    bool echoMatches(const std::uint8_t* icmp, std::size_t size, std::uint8_t type, std::uint16_t sequence) const {
        // A ping socket's identifier is the kernel's, which also filters what reaches us.
        return size >= kEchoHeaderSize && icmp[0] == type && read16(icmp + 6) == sequence &&
               (!m_raw || read16(icmp + 4) == m_id);
    }

    // Ping socket: the answer without its IP header.
    bool readReply(std::uint16_t sequence, EchoResult& result) {
        std::uint8_t buffer[2048];
        sockaddr_in from{};
        socklen_t fromLen = sizeof(from);
        const ssize_t n =
            ::recvfrom(m_fd, buffer, sizeof(buffer), MSG_DONTWAIT, reinterpret_cast<sockaddr*>(&from), &fromLen);
        if (n <= 0 || !echoMatches(buffer, static_cast<std::size_t>(n), kEchoReply, sequence)) {
            return false;
        }
        result.status = EchoStatus::Reply;
        result.from = toAddress(from.sin_addr);
        return true;
    }

    // Raw socket: an echo reply from the destination, or an error quoting our request.
    bool readRaw(const Ipv4Address& destination, std::uint16_t sequence, EchoResult& result) {
        std::uint8_t buffer[2048];
        sockaddr_in from{};
        socklen_t fromLen = sizeof(from);
        const ssize_t n =
            ::recvfrom(m_fd, buffer, sizeof(buffer), MSG_DONTWAIT, reinterpret_cast<sockaddr*>(&from), &fromLen);
        if (n < 20) {
            return false;
        }
        const auto size = static_cast<std::size_t>(n);
        const std::size_t headerSize = (buffer[0] & 0x0f) * 4u;
        if (headerSize < 20 || size < headerSize + kEchoHeaderSize) {
            return false;
        }
        const std::uint8_t* icmp = buffer + headerSize;
        const std::size_t icmpSize = size - headerSize;
        const Ipv4Address source = toAddress(from.sin_addr);
        if (icmp[0] == kEchoReply) {
            if (source != destination || !echoMatches(icmp, icmpSize, kEchoReply, sequence)) {
                return false;
            }
            result.status = EchoStatus::Reply;
        } else if (icmp[0] == kTimeExceeded || icmp[0] == kUnreachable) {
            const std::uint8_t* quoted = icmp + kEchoHeaderSize;
            const std::size_t quotedSize = icmpSize - kEchoHeaderSize;
            if (quotedSize < 20) {
                return false;
            }
            const std::size_t quotedHeader = (quoted[0] & 0x0f) * 4u;
            if (quotedHeader < 20 || quotedSize < quotedHeader + kEchoHeaderSize || quoted[9] != IPPROTO_ICMP ||
                std::memcmp(quoted + 16, destination.data(), 4) != 0 ||
                !echoMatches(quoted + quotedHeader, quotedSize - quotedHeader, kEchoRequest, sequence)) {
                return false;
            }
            result.status = icmp[0] == kTimeExceeded ? EchoStatus::TimeExceeded : EchoStatus::Unreachable;
        } else {
            return false;
        }
        result.from = source;
        return true;
    }

    // Ping socket: ICMP errors about our requests arrive on the error queue with the router as offender.
    bool readError(std::uint16_t sequence, EchoResult& result) {
        std::uint8_t data[2048];
        std::uint8_t control[512];
        sockaddr_in target{};
        iovec iov{data, sizeof(data)};
        msghdr msg{};
        msg.msg_name = &target;
        msg.msg_namelen = sizeof(target);
        msg.msg_iov = &iov;
        msg.msg_iovlen = 1;
        msg.msg_control = control;
        msg.msg_controllen = sizeof(control);
        const ssize_t n = ::recvmsg(m_fd, &msg, MSG_ERRQUEUE | MSG_DONTWAIT);
        if (n < 0) {
            return false;
        }
        for (cmsghdr* c = CMSG_FIRSTHDR(&msg); c; c = CMSG_NXTHDR(&msg, c)) {
            if (c->cmsg_level != IPPROTO_IP || c->cmsg_type != IP_RECVERR) {
                continue;
            }
            sock_extended_err err{};
            std::memcpy(&err, CMSG_DATA(c), sizeof(err));
            if (err.ee_origin != SO_EE_ORIGIN_ICMP ||
                !echoMatches(data, static_cast<std::size_t>(n), kEchoRequest, sequence)) {
                return false;
            }
            if (err.ee_type == kTimeExceeded) {
                result.status = EchoStatus::TimeExceeded;
            } else if (err.ee_type == kUnreachable) {
                result.status = EchoStatus::Unreachable;
            } else {
                return false;
            }
            sockaddr_in offender{};
            const auto* errInCmsg = reinterpret_cast<const sock_extended_err*>(CMSG_DATA(c));
            std::memcpy(&offender, SO_EE_OFFENDER(errInCmsg), sizeof(offender));
            result.from = toAddress(offender.sin_addr);
            return true;
        }
        return false;
    }

    // Errors left from an earlier request would otherwise keep poll() waking up.
    void drainErrors() {
        if (m_raw) {
            return;
        }
        std::uint8_t data[512];
        std::uint8_t control[512];
        for (int i = 0; i < 64; ++i) {
            iovec iov{data, sizeof(data)};
            msghdr msg{};
            msg.msg_iov = &iov;
            msg.msg_iovlen = 1;
            msg.msg_control = control;
            msg.msg_controllen = sizeof(control);
            if (::recvmsg(m_fd, &msg, MSG_ERRQUEUE | MSG_DONTWAIT) < 0) {
                break;
            }
        }
    }

    int m_fd;
    bool m_raw;
    int m_wakeFd;
    std::uint16_t m_id = 0;
    std::uint16_t m_sequence = 0;
    std::atomic<bool> m_cancelled{false};
};

} // namespace

std::unique_ptr<IcmpEcho> openIcmpEcho() {
    bool raw = false;
    int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, IPPROTO_ICMP);
    if (fd >= 0) {
        const int on = 1;
        if (::setsockopt(fd, IPPROTO_IP, IP_RECVERR, &on, sizeof(on)) != 0) {
            ::close(fd);
            fd = -1;
        }
    }
    if (fd < 0) {
        fd = ::socket(AF_INET, SOCK_RAW | SOCK_CLOEXEC, IPPROTO_ICMP);
        raw = true;
    }
    if (fd < 0) {
        return nullptr;
    }
    const int wakeFd = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (wakeFd < 0) {
        ::close(fd);
        return nullptr;
    }
    return std::make_unique<LinuxIcmpEcho>(fd, raw, wakeFd);
}

} // namespace tw
