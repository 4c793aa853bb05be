// Disconnecting through NetworkManager's D-Bus API, against a stand-in NetworkManager on a private bus: the same
// calls and replies the real one gives (GetDeviceByIpIface, the device's ActiveConnection, DeactivateConnection).
#include "platform/qt/NetworkManagerDisconnector.h"

#include "platform/fake/FakeLinkDisconnector.h"

#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusObjectPath>
#include <QMap>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

class FakeDevice : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.NetworkManager.Device")
    Q_PROPERTY(QDBusObjectPath ActiveConnection READ activeConnection)
public:
    explicit FakeDevice(QString active) : m_active(std::move(active)) {}
    QDBusObjectPath activeConnection() const { return QDBusObjectPath(m_active); }

private:
    QString m_active;
};

class FakeNetworkManager : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.NetworkManager")
public:
    QMap<QString, QString> devices; // interface name -> device path
    QStringList refused;            // active connections it will not deactivate
    QStringList deactivated;

public slots:
    QDBusObjectPath GetDeviceByIpIface(const QString& iface) {
        if (!devices.contains(iface)) {
            sendErrorReply(QStringLiteral("org.freedesktop.NetworkManager.UnknownDevice"),
                           QStringLiteral("No device found for the requested iface."));
            return {};
        }
        return QDBusObjectPath(devices.value(iface));
    }
    void DeactivateConnection(const QDBusObjectPath& active) {
        if (refused.contains(active.path())) {
            sendErrorReply(QStringLiteral("org.freedesktop.NetworkManager.PermissionDenied"),
                           QStringLiteral("Not authorized to deactivate connections"));
            return;
        }
        deactivated << active.path();
    }
};

const QString kActive1 = QStringLiteral("/org/freedesktop/NetworkManager/ActiveConnection/1");
const QString kActive2 = QStringLiteral("/org/freedesktop/NetworkManager/ActiveConnection/2");

class NetworkManagerDisconnectorTest : public ::testing::Test {
protected:
    void SetUp() override {
        const QString daemon = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
        if (daemon.isEmpty()) {
            GTEST_SKIP() << "needs dbus-daemon (Debian package dbus-daemon) for a private bus";
        }
        // A bus of the session kind, private to the test: the stand-in may own NetworkManager's name there.
        bus.start(daemon,
                  {QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--print-address=1")});
        ASSERT_TRUE(bus.waitForReadyRead(10000)) << "dbus-daemon did not start";
        address = QString::fromUtf8(bus.readLine()).trimmed();
        ASSERT_FALSE(address.isEmpty());
    }
    void TearDown() override {
        QDBusConnection::disconnectFromBus(QStringLiteral("fake-network-manager"));
        if (bus.state() != QProcess::NotRunning) {
            bus.kill();
            bus.waitForFinished();
        }
    }

    // NetworkManager comes on the bus with a device per interface, each holding the given active connection.
    void startNetworkManager(const QMap<QString, QString>& activeByInterface) {
        QDBusConnection service = QDBusConnection::connectToBus(address, QStringLiteral("fake-network-manager"));
        ASSERT_TRUE(service.isConnected());
        int n = 0;
        for (auto it = activeByInterface.begin(); it != activeByInterface.end(); ++it) {
            const QString path = QStringLiteral("/org/freedesktop/NetworkManager/Devices/%1").arg(++n);
            manager.devices.insert(it.key(), path);
            devices.push_back(std::make_unique<FakeDevice>(it.value()));
            ASSERT_TRUE(service.registerObject(path, devices.back().get(), QDBusConnection::ExportAllProperties));
        }
        ASSERT_TRUE(service.registerObject(QStringLiteral("/org/freedesktop/NetworkManager"), &manager,
                                           QDBusConnection::ExportAllSlots));
        ASSERT_TRUE(service.registerService(QStringLiteral("org.freedesktop.NetworkManager")));
    }

    // The program's calls block; the stand-in answers on this thread's event loop meanwhile.
    std::vector<tw::DisconnectOutcome> disconnect(const std::vector<std::string>& links) {
        auto fallback = std::make_unique<tw::FakeLinkDisconnector>();
        fallbackCalls = &fallback->calls;
        tw::NetworkManagerDisconnector disconnector(std::move(fallback), address);
        std::vector<tw::DisconnectOutcome> outcomes;
        std::atomic<bool> done = false;
        std::thread caller([&] {
            outcomes = disconnector.disconnect(links);
            done = true;
        });
        EXPECT_TRUE(QTest::qWaitFor([&] { return done.load(); }, 20000));
        caller.join();
        lastFallbackCalls = *fallbackCalls;
        return outcomes;
    }

    static std::vector<std::string> texts(const std::vector<tw::DisconnectOutcome>& outcomes) {
        std::vector<std::string> out;
        for (const auto& o : outcomes) {
            out.push_back(o.text);
        }
        return out;
    }

    QProcess bus;
    QString address;
    FakeNetworkManager manager;
    std::vector<std::unique_ptr<FakeDevice>> devices;
    std::vector<std::vector<std::string>>* fallbackCalls = nullptr;
    std::vector<std::vector<std::string>> lastFallbackCalls;
};

} // namespace

TEST_F(NetworkManagerDisconnectorTest, ConnectionsItHoldsAreDeactivatedTheOtherLinksGoToTheSystemsWay) {
    if (!tw::NetworkManagerDisconnector::isAvailable()) {
        GTEST_SKIP() << "built without Qt D-Bus";
    }
    startNetworkManager({{"eth0", kActive1}, {"wlan0", QStringLiteral("/")}, {"bond0", kActive2}, {"bond1", kActive2}});
    const auto outcomes = disconnect({"eth0", "wlan0", "usb0", "bond0", "bond1"});
    EXPECT_EQ(texts(outcomes), (std::vector<std::string>{"Disconnected eth0", "Disconnected wlan0", "Disconnected usb0",
                                                         "Disconnected bond0", "Disconnected bond1"}));
    EXPECT_EQ(manager.deactivated, (QStringList{kActive1, kActive2})) << "one connection of two links, once";
    EXPECT_EQ(lastFallbackCalls, (std::vector<std::vector<std::string>>{{"wlan0", "usb0"}}))
        << "a device without an active connection, and one NetworkManager does not know";
}

TEST_F(NetworkManagerDisconnectorTest, WithoutNetworkManagerOnTheBusEveryLinkGoesToTheSystemsWay) {
    const auto outcomes = disconnect({"eth0", "wlan0"});
    EXPECT_EQ(texts(outcomes), (std::vector<std::string>{"Disconnected eth0", "Disconnected wlan0"}));
    EXPECT_EQ(lastFallbackCalls, (std::vector<std::vector<std::string>>{{"eth0", "wlan0"}}));
}

TEST_F(NetworkManagerDisconnectorTest, ARefusalIsToldAndTheLinkIsNotForcedDown) {
    if (!tw::NetworkManagerDisconnector::isAvailable()) {
        GTEST_SKIP() << "built without Qt D-Bus";
    }
    startNetworkManager({{"eth0", kActive1}});
    manager.refused = {kActive1};
    const auto outcomes = disconnect({"eth0"});
    ASSERT_EQ(outcomes.size(), 1u);
    EXPECT_FALSE(outcomes[0].disconnected);
    EXPECT_EQ(outcomes[0].text, "eth0 was not disconnected: NetworkManager refused: Not authorized to deactivate "
                                "connections");
    EXPECT_TRUE(lastFallbackCalls.empty());
}

#include "NetworkManagerDisconnectorTest.moc"
