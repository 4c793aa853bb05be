#pragma once

#include "platform/LinkDisconnector.h"

#include <QString>

#include <memory>

namespace tw {

// Linux desktops where NetworkManager runs: a link it holds an active connection on is disconnected by deactivating
// that connection over NetworkManager's D-Bus API (so NetworkManager does not bring it straight back, and the user
// needs no more rights than for the network menu of the desktop). Links it does not hold go to `fallback`.
class NetworkManagerDisconnector final : public LinkDisconnector {
public:
    // busAddress: the D-Bus to ask; empty for the system bus.
    NetworkManagerDisconnector(std::unique_ptr<LinkDisconnector> fallback, QString busAddress = {});
    std::vector<DisconnectOutcome> disconnect(const std::vector<std::string>& links) override;

    // Whether D-Bus support was built in (not on Windows).
    static bool isAvailable();

private:
    std::unique_ptr<LinkDisconnector> m_fallback;
    QString m_busAddress;
};

// The program's way to disconnect: NetworkManager where it runs, before the system's own way.
std::unique_ptr<LinkDisconnector> makeDesktopLinkDisconnector();

} // namespace tw
