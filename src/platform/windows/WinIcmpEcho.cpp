#include "platform/IcmpEcho.h"

// Order matters: Winsock 2 before the IP Helper headers, which need it.
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

// One asynchronous request: the system writes the answer into the buffer and signals the event whenever the answer
// comes, so both must outlive a request that was given up.
struct Request {
    HANDLE done = nullptr;
    std::vector<unsigned char> reply;
    DWORD waitMs = 0;
};

// Requests are asynchronous so that a wait can end on cancel() from another thread.
class WinIcmpEcho final : public IcmpEcho {
public:
    WinIcmpEcho(HANDLE icmp, HANDLE cancelled) : m_icmp(icmp), m_cancelled(cancelled) {}

    ~WinIcmpEcho() override {
        // Let the requests given up finish (each is bounded by its own timeout) before their memory goes.
        for (Request& r : m_abandoned) {
            WaitForSingleObject(r.done, r.waitMs);
        }
        IcmpCloseHandle(m_icmp);
        for (Request& r : m_abandoned) {
            CloseHandle(r.done);
        }
        CloseHandle(m_cancelled);
    }

    EchoResult send(const Ipv4Address& destination, int ttl, std::size_t payloadSize, int timeoutMs) override {
        EchoResult result; // Timeout
        if (m_cancel.load()) {
            return result;
        }
        if (ttl < 1 || ttl > 255 || payloadSize > 65500 || timeoutMs < 0) {
            result.status = EchoStatus::Error;
            return result;
        }
        Request request;
        request.done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        if (request.done == nullptr) {
            result.status = EchoStatus::Error;
            return result;
        }
        // One reply, its echoed data, room for the header of an ICMP error and the status block of the async call.
        request.reply.assign(sizeof(ICMP_ECHO_REPLY) + payloadSize + 8 + 2 * sizeof(ULONG_PTR) + 64, 0);
        // The system ends the request itself at the timeout; the margin covers its timer's granularity.
        request.waitMs = static_cast<DWORD>(timeoutMs) + 1000;

        const std::string payload(payloadSize, 'a');
        IP_OPTION_INFORMATION options{};
        options.Ttl = static_cast<UCHAR>(ttl);
        IPAddr to = 0;
        std::memcpy(&to, destination.data(), sizeof(to));
        const DWORD sent = IcmpSendEcho2(m_icmp, request.done, nullptr, nullptr, to, const_cast<char*>(payload.data()),
                                         static_cast<WORD>(payloadSize), &options, request.reply.data(),
                                         static_cast<DWORD>(request.reply.size()), static_cast<DWORD>(timeoutMs));
        if (sent == 0) {
            const DWORD error = GetLastError();
            if (error != ERROR_IO_PENDING) {
                CloseHandle(request.done);
                result.status = error == IP_REQ_TIMED_OUT ? EchoStatus::Timeout : EchoStatus::Error;
                return result;
            }
            const HANDLE events[] = {request.done, m_cancelled};
            if (WaitForMultipleObjects(2, events, FALSE, request.waitMs) != WAIT_OBJECT_0) {
                m_abandoned.push_back(std::move(request));
                return result;
            }
        }
        result = parse(request.reply);
        CloseHandle(request.done);
        return result;
    }

    void cancel() override {
        m_cancel.store(true);
        SetEvent(m_cancelled);
    }

private:
    static EchoResult parse(std::vector<unsigned char>& buffer) {
        EchoResult result;
        if (IcmpParseReplies(buffer.data(), static_cast<DWORD>(buffer.size())) == 0) {
            result.status = GetLastError() == IP_REQ_TIMED_OUT ? EchoStatus::Timeout : EchoStatus::Error;
            return result;
        }
        const auto* reply = reinterpret_cast<const ICMP_ECHO_REPLY*>(buffer.data());
        result.status = statusOf(reply->Status);
        if (result.answered()) {
            std::memcpy(result.from.data(), &reply->Address, result.from.size());
            result.roundTripMs = reply->RoundTripTime;
        }
        return result;
    }

    HANDLE m_icmp;
    HANDLE m_cancelled;
    std::atomic<bool> m_cancel{false};
    std::vector<Request> m_abandoned;
};

} // namespace

std::unique_ptr<IcmpEcho> openIcmpEcho() {
    const HANDLE icmp = IcmpCreateFile();
    if (icmp == INVALID_HANDLE_VALUE) {
        return nullptr;
    }
    const HANDLE cancelled = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (cancelled == nullptr) {
        IcmpCloseHandle(icmp);
        return nullptr;
    }
    return std::make_unique<WinIcmpEcho>(icmp, cancelled);
}

} // namespace tw
