// Windows: dial-up connections (RAS: modems, PPPoE, mobile broadband dialled as such, VPNs) are hung up; a network
// adapter has no such call for a program, so other links are reported as not disconnected.
#include "platform/LinkDisconnector.h"
#include "platform/windows/WideString.h"

#include <ras.h>
#include <raserror.h>

#include <iterator>
#include <vector>

namespace tw {

namespace {

constexpr DWORD kHangUpWaitMs = 3000;
constexpr DWORD kHangUpPollMs = 50;

std::string rasError(DWORD code) {
    wchar_t text[512] = {};
    if (RasGetErrorStringW(static_cast<UINT>(code), text, static_cast<DWORD>(std::size(text))) == ERROR_SUCCESS) {
        return win::toUtf8(text);
    }
    return "error " + std::to_string(code);
}

struct DialUp {
    HRASCONN handle;
    std::wstring entry;  // the connection's name, as the user knows it
    std::wstring device; // the device it dials through
};

// The active dial-up connections; an error text when they cannot be listed.
std::vector<DialUp> activeDialUps(std::string& error) {
    std::vector<RASCONNW> connections(4);
    connections[0].dwSize = sizeof(RASCONNW);
    DWORD bytes = static_cast<DWORD>(connections.size() * sizeof(RASCONNW));
    DWORD count = 0;
    DWORD rc = RasEnumConnectionsW(connections.data(), &bytes, &count);
    if (rc == ERROR_BUFFER_TOO_SMALL) {
        connections.resize(bytes / sizeof(RASCONNW) + 1);
        connections[0].dwSize = sizeof(RASCONNW);
        bytes = static_cast<DWORD>(connections.size() * sizeof(RASCONNW));
        rc = RasEnumConnectionsW(connections.data(), &bytes, &count);
    }
    std::vector<DialUp> out;
    if (rc != ERROR_SUCCESS) {
        error = rasError(rc);
        return out;
    }
    for (DWORD i = 0; i < count; ++i) {
        out.push_back({connections[i].hrasconn, connections[i].szEntryName, connections[i].szDeviceName});
    }
    return out;
}

// Hangs up and waits until the connection is gone: a program that ends at once may otherwise leave the port open.
DWORD hangUp(HRASCONN handle) {
    const DWORD rc = RasHangUpW(handle);
    if (rc != ERROR_SUCCESS) {
        return rc;
    }
    RASCONNSTATUSW status{};
    status.dwSize = sizeof status;
    for (DWORD waited = 0; waited < kHangUpWaitMs; waited += kHangUpPollMs) {
        if (RasGetConnectStatusW(handle, &status) == ERROR_INVALID_HANDLE) {
            break;
        }
        Sleep(kHangUpPollMs);
    }
    return ERROR_SUCCESS;
}

class RasLinkDisconnector final : public LinkDisconnector {
public:
    std::vector<DisconnectOutcome> disconnect(const std::vector<std::string>& links) override {
        std::string error;
        const std::vector<DialUp> dialUps = activeDialUps(error);
        std::vector<DisconnectOutcome> outcomes;
        for (const std::string& link : links) {
            const std::wstring name = win::lowerCase(win::toWide(link));
            const DialUp* match = nullptr;
            for (const DialUp& d : dialUps) {
                if (win::lowerCase(d.entry) == name || win::lowerCase(d.device) == name) {
                    match = &d;
                }
            }
            if (match == nullptr) {
                outcomes.push_back(
                    {link, false,
                     notDisconnectedText(link, !error.empty() ? "the dial-up connections cannot be read: " + error
                                                              : "Windows lets a program hang up only dial-up "
                                                                "connections, and this is none")});
                continue;
            }
            const DWORD rc = hangUp(match->handle);
            outcomes.push_back(rc == ERROR_SUCCESS
                                   ? DisconnectOutcome{link, true, disconnectedText(link)}
                                   : DisconnectOutcome{link, false, notDisconnectedText(link, rasError(rc))});
        }
        return outcomes;
    }
};

} // namespace

std::unique_ptr<LinkDisconnector> makeSystemLinkDisconnector() {
    return std::make_unique<RasLinkDisconnector>();
}

} // namespace tw
