#pragma once

#include "platform/IpAddress.h"

#include <memory>
#include <optional>
#include <string>

namespace tw {

// Blocking name lookups; call them off the user-interface thread.
class Resolver {
public:
    virtual ~Resolver() = default;
    // The first IPv4 address of the name; std::nullopt when the name is unknown.
    virtual std::optional<Ipv4Address> addressOf(const std::string& hostName) = 0;
    // The name registered for the address; empty when there is none.
    virtual std::string nameOf(const Ipv4Address& address) = 0;
};

std::unique_ptr<Resolver> makeSystemResolver();

} // namespace tw
