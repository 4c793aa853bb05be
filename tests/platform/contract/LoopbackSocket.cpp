#include "LoopbackSocket.h"

#include <cstring>
#include <string>

#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>
using SocketLength = int;
namespace {
const std::intptr_t kNoSocket = static_cast<std::intptr_t>(INVALID_SOCKET);
struct WinsockUser {
    WinsockUser() {
        WSADATA data{};
        WSAStartup(MAKEWORD(2, 2), &data);
    }
    ~WinsockUser() { WSACleanup(); }
} winsockUser;
void closeSocket(std::intptr_t s) {
    closesocket(static_cast<SOCKET>(s));
}
void setReceiveTimeout(std::intptr_t s, int ms) {
    const DWORD value = static_cast<DWORD>(ms);
    setsockopt(static_cast<SOCKET>(s), SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&value), sizeof(value));
}
} // namespace
#else
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>
using SocketLength = socklen_t;
namespace {
const std::intptr_t kNoSocket = -1;
void closeSocket(std::intptr_t s) {
    ::close(static_cast<int>(s));
}
void setReceiveTimeout(std::intptr_t s, int ms) {
    timeval tv{ms / 1000, (ms % 1000) * 1000};
    setsockopt(static_cast<int>(s), SOL_SOCKET, SO_RCVTIMEO, &tv, sizeof(tv));
}
} // namespace
#endif

namespace twtest {

LoopbackSocket::LoopbackSocket(Kind kind, bool v6) {
    const int type = kind == Kind::Udp ? SOCK_DGRAM : SOCK_STREAM;
    m_socket = static_cast<std::intptr_t>(::socket(v6 ? AF_INET6 : AF_INET, type, 0));
    if (m_socket == kNoSocket) {
        return;
    }
    sockaddr_storage storage{};
    SocketLength length = 0;
    if (v6) {
        auto* sin6 = reinterpret_cast<sockaddr_in6*>(&storage);
        sin6->sin6_family = AF_INET6;
        sin6->sin6_addr = in6addr_loopback;
        length = sizeof(sockaddr_in6);
    } else {
        auto* sin = reinterpret_cast<sockaddr_in*>(&storage);
        sin->sin_family = AF_INET;
        sin->sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        length = sizeof(sockaddr_in);
    }
    const auto s = static_cast<decltype(::socket(0, 0, 0))>(m_socket);
    if (::bind(s, reinterpret_cast<sockaddr*>(&storage), length) != 0 ||
        (kind == Kind::TcpListener && ::listen(s, 4) != 0) ||
        ::getsockname(s, reinterpret_cast<sockaddr*>(&storage), &length) != 0) {
        closeSocket(m_socket);
        m_socket = kNoSocket;
        return;
    }
    m_port = ntohs(v6 ? reinterpret_cast<sockaddr_in6*>(&storage)->sin6_port
                      : reinterpret_cast<sockaddr_in*>(&storage)->sin_port);
    setReceiveTimeout(m_socket, 2000);
}

LoopbackSocket::~LoopbackSocket() {
    if (m_socket != kNoSocket) {
        closeSocket(m_socket);
    }
}

bool LoopbackSocket::valid() const {
    return m_socket != kNoSocket;
}

std::size_t LoopbackSocket::sendToSelf(std::size_t count, std::size_t size) {
    const auto s = static_cast<decltype(::socket(0, 0, 0))>(m_socket);
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    to.sin_port = htons(m_port);
    const std::string payload(size, 'x');
    std::string buffer(size + 1, '\0');
    std::size_t received = 0;
    for (std::size_t i = 0; i < count; ++i) {
        ::sendto(s, payload.data(), static_cast<int>(payload.size()), 0, reinterpret_cast<const sockaddr*>(&to),
                 sizeof(to));
        const auto got = ::recv(s, buffer.data(), static_cast<int>(buffer.size()), 0);
        if (got > 0) {
            received += static_cast<std::size_t>(got);
        }
    }
    return received;
}

} // namespace twtest
