#include "platform/qt/NetworkManagerDisconnector.h"

#if defined(TALLYWAVE_HAS_DBUS) && !defined(_WIN32)
#define TALLYWAVE_NETWORK_MANAGER 1
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QSet>
#endif

namespace tw {

#ifdef TALLYWAVE_NETWORK_MANAGER

namespace {

const QString kService = QStringLiteral("org.freedesktop.NetworkManager");
const QString kPath = QStringLiteral("/org/freedesktop/NetworkManager");
const QString kManager = QStringLiteral("org.freedesktop.NetworkManager");
const QString kDevice = QStringLiteral("org.freedesktop.NetworkManager.Device");
constexpr int kCallTimeoutMs = 5000;

QDBusMessage call(QDBusConnection& bus, const QString& path, const QString& interface, const QString& method,
                  const QVariantList& arguments) {
    QDBusMessage message = QDBusMessage::createMethodCall(kService, path, interface, method);
    message.setArguments(arguments);
    return bus.call(message, QDBus::Block, kCallTimeoutMs);
}

// The path of the active connection NetworkManager holds on the link; empty when it holds none.
QString activeConnectionOf(QDBusConnection& bus, const std::string& link) {
    const QDBusMessage device =
        call(bus, kPath, kManager, QStringLiteral("GetDeviceByIpIface"), {QString::fromStdString(link)});
    if (device.type() != QDBusMessage::ReplyMessage || device.arguments().isEmpty()) {
        return {};
    }
    const QString devicePath = device.arguments().first().value<QDBusObjectPath>().path();
    const QDBusMessage active = call(bus, devicePath, QStringLiteral("org.freedesktop.DBus.Properties"),
                                     QStringLiteral("Get"), {kDevice, QStringLiteral("ActiveConnection")});
    if (active.type() != QDBusMessage::ReplyMessage || active.arguments().isEmpty()) {
        return {};
    }
    const QString path = active.arguments().first().value<QDBusVariant>().variant().value<QDBusObjectPath>().path();
    return path == QLatin1String("/") ? QString() : path;
}

} // namespace

NetworkManagerDisconnector::NetworkManagerDisconnector(std::unique_ptr<LinkDisconnector> fallback, QString busAddress)
    : m_fallback(std::move(fallback)), m_busAddress(std::move(busAddress)) {}

bool NetworkManagerDisconnector::isAvailable() {
    return true;
}

std::vector<DisconnectOutcome> NetworkManagerDisconnector::disconnect(const std::vector<std::string>& links) {
    const QString connectionName = QStringLiteral("tallywave-network-manager");
    std::vector<DisconnectOutcome> outcomes(links.size());
    std::vector<std::size_t> others; // the places of the links NetworkManager does not hold
    {
        QDBusConnection bus = m_busAddress.isEmpty() ? QDBusConnection::systemBus()
                                                     : QDBusConnection::connectToBus(m_busAddress, connectionName);
        const bool running = bus.isConnected() && bus.interface() && bus.interface()->isServiceRegistered(kService);
        QSet<QString> deactivated; // links of one connection (a bond, a bridge) share it
        for (std::size_t i = 0; i < links.size(); ++i) {
            const std::string& link = links[i];
            const QString active = running ? activeConnectionOf(bus, link) : QString();
            if (active.isEmpty()) {
                others.push_back(i);
            } else if (deactivated.contains(active)) {
                outcomes[i] = {link, true, disconnectedText(link)};
            } else {
                const QDBusMessage reply = call(bus, kPath, kManager, QStringLiteral("DeactivateConnection"),
                                                {QVariant::fromValue(QDBusObjectPath(active))});
                if (reply.type() == QDBusMessage::ReplyMessage) {
                    deactivated.insert(active);
                    outcomes[i] = {link, true, disconnectedText(link)};
                } else {
                    outcomes[i] = {
                        link, false,
                        notDisconnectedText(link, "NetworkManager refused: " + reply.errorMessage().toStdString())};
                }
            }
        }
    }
    // Only once no handle on it is left.
    if (!m_busAddress.isEmpty()) {
        QDBusConnection::disconnectFromBus(connectionName);
    }
    if (!others.empty()) {
        std::vector<std::string> rest;
        for (std::size_t i : others) {
            rest.push_back(links[i]);
        }
        std::vector<DisconnectOutcome> restOutcomes = m_fallback->disconnect(rest);
        for (std::size_t k = 0; k < restOutcomes.size() && k < others.size(); ++k) {
            outcomes[others[k]] = std::move(restOutcomes[k]);
        }
    }
    return outcomes;
}

#else

NetworkManagerDisconnector::NetworkManagerDisconnector(std::unique_ptr<LinkDisconnector> fallback, QString busAddress)
    : m_fallback(std::move(fallback)), m_busAddress(std::move(busAddress)) {}

bool NetworkManagerDisconnector::isAvailable() {
    return false;
}

std::vector<DisconnectOutcome> NetworkManagerDisconnector::disconnect(const std::vector<std::string>& links) {
    return m_fallback->disconnect(links);
}

#endif

std::unique_ptr<LinkDisconnector> makeDesktopLinkDisconnector() {
    if (!NetworkManagerDisconnector::isAvailable()) {
        return makeSystemLinkDisconnector();
    }
    return std::make_unique<NetworkManagerDisconnector>(makeSystemLinkDisconnector());
}

} // namespace tw
