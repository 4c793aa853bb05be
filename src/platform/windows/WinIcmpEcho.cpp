#include "platform/IcmpEcho.h"

#include <winsock2.h>
#include <ws2tcpip.h>
#include <iphlpapi.h>
#include <icmpapi.h>

#include <atomic>
#include <cstring>
#include <string>
#include <vector>

namespace tw {

namespace {

EchoStatus statusOf(ULONG status) {
    switch (status) {
    case IP_SUCCESS:
        return EchoStatus::Reply;
    case IP_TTL_EXPIRED_TRANSIT:
    case IP_TTL_EXPIRED_REASSEM:
        return EchoStatus::TimeExceeded;
    case IP_DEST_NET_UNREACHABLE:
    case IP_DEST_HOST_UNREACHABLE:
    case IP_DEST_PROT_UNREACHABLE:
    case IP_DEST_PORT_UNREACHABLE:
    case IP_DEST_UNREACHABLE:
        return EchoStatus::Unreachable;
    case IP_REQ_TIMED_OUT:
        return EchoStatus::Timeout;
    default:
        return EchoStatus::Error;
    }
}

// The request is sent asynchronously so that a wait can end on cancel() from another thread. The system writes the
// answer into m_reply whenever it comes, so the buffer lives as long as the handle, and the destructor lets an
// abandoned request finish before it closes the handle.
class WinIcmpEcho final : public IcmpEcho {
public:
    WinIcmpEcho(HANDLE icmp, HANDLE replied, HANDLE cancelled) : m_icmp(icmp), m_replied(replied), m_cancelled(cancelled) {}

    ~WinIcmpEcho() override {
        if (m_pendingTimeoutMs > 0) {
            WaitForSingleObject(m_replied, m_pendingTimeoutMs);
        }
        IcmpCloseHandle(m_icmp);
        CloseHandle(m_replied);
        CloseHandle(m_cancelled);
    }

    EchoResult send(const Ipv4Address& destination, int ttl, std::size_t payloadSize, int timeoutMs) override {
        EchoResult result;
        if (m_cancel.load() || m_pendingTimeoutMs > 0) {
            return result; // Timeout
        }
        if (ttl < 1 || ttl > 255 || payloadSize > 65500 || timeoutMs < 0) {
            result.status = EchoStatus::Error;
            return result;
        }
        const std::string payload(payloadSize, 'a');
        // One reply, its echoed data, room for the header of an ICMP error and the status block of the async call.
        m_reply.assign(sizeof(ICMP_ECHO_REPLY) + payloadSize + 8 + 2 * sizeof(ULONG_PTR) + 64, 0);
        IP_OPTION_INFORMATION options{};
        options.Ttl = static_cast<UCHAR>(ttl);
        IPAddr to = 0;
        std::memcpy(&to, destination.data(), sizeof(to));

        ResetEvent(m_replied);
        const DWORD sent = IcmpSendEcho2(m_icmp, m_replied, nullptr, nullptr, to,
                                         const_cast<char*>(payload.data()), static_cast<WORD>(payloadSize), &options,
                                         m_reply.data(), static_cast<DWORD>(m_reply.size()),
                                         static_cast<DWORD>(timeoutMs));
        if (sent == 0) {
            const DWORD error = GetLastError();
            if (error == IP_REQ_TIMED_OUT) {
                return result;
            }
            if (error != ERROR_IO_PENDING) {
                result.status = EchoStatus::Error;
                return result;
            }
            // The system ends the request itself at the timeout; the margin covers its timer's granularity.
            const DWORD waitMs = static_cast<DWORD>(timeoutMs) + 1000;
            const HANDLE events[] = {m_replied, m_cancelled};
            const DWORD woke = WaitForMultipleObjects(2, events, FALSE, waitMs);
            if (woke != WAIT_OBJECT_0) {
                m_pendingTimeoutMs = waitMs;
                return result;
            }
        }
        if (IcmpParseReplies(m_reply.data(), static_cast<DWORD>(m_reply.size())) == 0) {
            result.status = GetLastError() == IP_REQ_TIMED_OUT ? EchoStatus::Timeout : EchoStatus::Error;
            return result;
        }
        const auto* reply = reinterpret_cast<const ICMP_ECHO_REPLY*>(m_reply.data());
        result.status = statusOf(reply->Status);
        if (result.answered()) {
            std::memcpy(result.from.data(), &reply->Address, result.from.size());
            result.roundTripMs = reply->RoundTripTime;
        }
        return result;
    }

    void cancel() override {
        m_cancel.store(true);
        SetEvent(m_cancelled);
    }

private:
    HANDLE m_icmp;
    HANDLE m_replied;
    HANDLE m_cancelled;
    std::atomic<bool> m_cancel{false};
    DWORD m_pendingTimeoutMs = 0; // an abandoned request may still write into m_reply
    std::vector<unsigned char> m_reply;
};

} // namespace

std::unique_ptr<IcmpEcho> openIcmpEcho() {
    const HANDLE icmp = IcmpCreateFile();
    if (icmp == INVALID_HANDLE_VALUE) {
        return nullptr;
    }
    const HANDLE replied = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    const HANDLE cancelled = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (replied == nullptr || cancelled == nullptr) {
        if (replied != nullptr) {
            CloseHandle(replied);
        }
        if (cancelled != nullptr) {
            CloseHandle(cancelled);
        }
        IcmpCloseHandle(icmp);
        return nullptr;
    }
    return std::make_unique<WinIcmpEcho>(icmp, replied, cancelled);
}

} // namespace tw
