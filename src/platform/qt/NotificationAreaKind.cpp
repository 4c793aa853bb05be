#include "platform/qt/NotificationAreaKind.h"

#ifdef TALLYWAVE_HAS_DBUS
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusInterface>
#endif

namespace tw {

bool notificationAreaIsStatusNotifierHost() {
#ifdef TALLYWAVE_HAS_DBUS
    // The same question Qt asks before it chooses the D-Bus icon.
    const QString watcher = QStringLiteral("org.kde.StatusNotifierWatcher");
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !bus.interface() || !bus.interface()->isServiceRegistered(watcher)) {
        return false;
    }
    QDBusInterface host(watcher, QStringLiteral("/StatusNotifierWatcher"), watcher, bus);
    return host.property("IsStatusNotifierHostRegistered").toBool();
#else
    return false; // no D-Bus: Windows' own notification area, or XEmbed
#endif
}

} // namespace tw
