#include "platform/Resolver.h"
#include "platform/windows/WideString.h"
#include "platform/windows/WinsockSession.h"

#include <winsock2.h>
#include <ws2tcpip.h>

#include <cstring>

namespace tw {

namespace {

// The wide forms take and give Unicode names; the 8-bit ones would go through the ANSI code page.
class WinResolver final : public Resolver {
public:
    std::optional<Ipv4Address> addressOf(const std::string& hostName) override {
        if (hostName.empty() || !m_winsock.started()) {
            return std::nullopt;
        }
        ADDRINFOW hints{};
        hints.ai_family = AF_INET;
        hints.ai_socktype = SOCK_STREAM;
        ADDRINFOW* result = nullptr;
        if (GetAddrInfoW(win::toWide(hostName).c_str(), nullptr, &hints, &result) != 0 || result == nullptr) {
            return std::nullopt;
        }
        std::optional<Ipv4Address> address;
        for (const ADDRINFOW* ai = result; ai != nullptr; ai = ai->ai_next) {
            if (ai->ai_family == AF_INET && ai->ai_addrlen >= sizeof(sockaddr_in)) {
                const auto* sin = reinterpret_cast<const sockaddr_in*>(ai->ai_addr);
                Ipv4Address a{};
                std::memcpy(a.data(), &sin->sin_addr.s_addr, a.size());
                address = a;
                break;
            }
        }
        FreeAddrInfoW(result);
        return address;
    }

    std::string nameOf(const Ipv4Address& address) override {
        if (!m_winsock.started()) {
            return {};
        }
        sockaddr_in sin{};
        sin.sin_family = AF_INET;
        std::memcpy(&sin.sin_addr.s_addr, address.data(), address.size());
        wchar_t host[NI_MAXHOST] = {};
        if (GetNameInfoW(reinterpret_cast<const sockaddr*>(&sin), sizeof(sin), host, NI_MAXHOST, nullptr, 0,
                         NI_NAMEREQD) != 0) {
            return {};
        }
        return win::toUtf8(host);
    }

private:
    win::WinsockSession m_winsock;
};

} // namespace

std::unique_ptr<Resolver> makeSystemResolver() {
    return std::make_unique<WinResolver>();
}

} // namespace tw
