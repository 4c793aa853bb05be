#include "platform/Resolver.h"

#include <cstring>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>

namespace tw {

namespace {

class SystemResolver final : public Resolver {
public:
    std::optional<Ipv4Address> addressOf(const std::string& hostName) override {
        addrinfo hints{};
        hints.ai_family = AF_INET;
        hints.ai_socktype = SOCK_STREAM;
        addrinfo* result = nullptr;
        if (hostName.empty() || getaddrinfo(hostName.c_str(), nullptr, &hints, &result) != 0 || !result) {
            return std::nullopt;
        }
        std::optional<Ipv4Address> address;
        for (const addrinfo* ai = result; ai; ai = ai->ai_next) {
            if (ai->ai_family == AF_INET && ai->ai_addrlen >= sizeof(sockaddr_in)) {
                const auto* sin = reinterpret_cast<const sockaddr_in*>(ai->ai_addr);
                Ipv4Address a{};
                std::memcpy(a.data(), &sin->sin_addr.s_addr, a.size());
                address = a;
                break;
            }
        }
        freeaddrinfo(result);
        return address;
    }

    std::string nameOf(const Ipv4Address& address) override {
        sockaddr_in sin{};
        sin.sin_family = AF_INET;
        std::memcpy(&sin.sin_addr.s_addr, address.data(), address.size());
        char host[NI_MAXHOST] = {};
        if (getnameinfo(reinterpret_cast<const sockaddr*>(&sin), sizeof(sin), host, sizeof(host), nullptr, 0,
                        NI_NAMEREQD) != 0) {
            return {};
        }
        return host;
    }
};

} // namespace

std::unique_ptr<Resolver> makeSystemResolver() {
    return std::make_unique<SystemResolver>();
}

} // namespace tw
