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
    QDBusConnection bus = m_busAddress.isEmpty()
                              ? QDBusConnection::systemBus()
                              : QDBusConnection::connectToBus(m_busAddress, QStringLiteral("tallywave-disconnect"));
    const bool running = bus.isConnected() && bus.interface() && bus.interface()->isServiceRegistered(kService);

    std::vector<DisconnectOutcome> outcomes(links.size());
    std::vector<std::string> others;
    std::vector<std::size_t> otherPlaces;
    QSet<QString> deactivated; // links of one connection (a bond, a bridge) share it
    for (std::size_t i = 0; i < links.size(); ++i) {
        const std::string& link = links[i];
        const QString active = running ? activeConnectionOf(bus, link) : QString();
        if (active.isEmpty()) {
            others.push_back(link);
            otherPlaces.push_back(i);
            continue;
        }
        if (deactivated.contains(active)) {
            outcomes[i] = {link, true, disconnectedText(link)};
            continue;
        }
        const QDBusMessage reply = call(bus, kPath, kManager, QStringLiteral("DeactivateConnection"),
                                        {QVariant::fromValue(QDBusObjectPath(active))});
        if (reply.type() == QDBusMessage::ReplyMessage) {
            deactivated.insert(active);
            outcomes[i] = {link, true, disconnectedText(link)};
        } else {
            outcomes[i] = {link, false,
                           notDisconnectedText(link, "NetworkManager refused: " + reply.errorMessage().toStdString())};
        }
    }
    if (!m_busAddress.isEmpty()) {
        QDBusConnection::disconnectFromBus(QStringLiteral("tallywave-disconnect"));
    }
    if (!others.empty()) {
        std::vector<DisconnectOutcome> rest = m_fallback->disconnect(others);
        for (std::size_t k = 0; k < rest.size() && k < otherPlaces.size(); ++k) {
            outcomes[otherPlaces[k]] = std::move(rest[k]);
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
