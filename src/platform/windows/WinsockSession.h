#pragma once

#include <winsock2.h>

namespace tw::win {

// Winsock counts its users: every object that calls socket functions holds one session for its lifetime.
class WinsockSession {
public:
    WinsockSession() {
        WSADATA data{};
        m_started = WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }
    ~WinsockSession() {
        if (m_started) {
            WSACleanup();
        }
    }
    WinsockSession(const WinsockSession&) = delete;
    WinsockSession& operator=(const WinsockSession&) = delete;
    bool started() const { return m_started; }

private:
    bool m_started = false;
};

} // namespace tw::win
