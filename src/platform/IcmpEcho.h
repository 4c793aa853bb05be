#pragma once

#include "platform/IpAddress.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace tw {

enum class EchoStatus {
    Reply,        // the destination answered
    TimeExceeded, // a router on the way reported the time-to-live exceeded
    Unreachable,  // a router or the destination reported the destination unreachable
    Timeout,      // nothing answered within the timeout
    Error,        // the request could not be sent
};

struct EchoResult {
    EchoStatus status = EchoStatus::Timeout;
    Ipv4Address from{}; // the answering address for Reply, TimeExceeded and Unreachable
    std::uint32_t roundTripMs = 0;

    bool answered() const {
        return status == EchoStatus::Reply || status == EchoStatus::TimeExceeded || status == EchoStatus::Unreachable;
    }
};

// One ICMP echo endpoint, opened for one trace and closed with the object.
class IcmpEcho {
public:
    virtual ~IcmpEcho() = default;
    // Sends one echo request whose payload is payloadSize letters "a" with the given time-to-live and waits up to
    // timeoutMs for its answer.
    virtual EchoResult send(const Ipv4Address& destination, int ttl, std::size_t payloadSize, int timeoutMs) = 0;
    // May be called from any thread: a waiting send() returns Timeout at once, and so does every later one.
    virtual void cancel() = 0;
};

// nullptr when the system gives this process no way to send ICMP echo requests.
std::unique_ptr<IcmpEcho> openIcmpEcho();

} // namespace tw
