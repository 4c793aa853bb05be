#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>
#include <optional>
#include <utility>
#include <vector>

class QAction;
class QMenu;
class QSystemTrayIcon;

namespace tw {

enum class TrayImage;

// The notification-area icon with its popup menu "mPopupSys": "Open Tallywave" (default, bold), "Minimize to
// tray", "Logging" -> "Start/Continue", "Pause", "Stop", and "Shut down". A double click asks to restore. While
// another window of the program is open the icon ignores the user: no restore and a menu whose items are off.
//
// A notification area may start after the program (the login entry often runs before the panel is up) and may go
// away and come back (a panel restart). While registered, the tray looks for one every second, puts the icon into a
// new one and reports each change.
class SystemTray : public QObject {
    Q_OBJECT
public:
    // isBlocked tells whether another window of the program is open.
    SystemTray(QObject* parent, std::function<bool()> isBlocked);
    ~SystemTray() override;

    // Whether the desktop offers a notification area. Tests may decide it.
    static bool isAvailable();
    static void setAvailabilityForTesting(std::optional<bool> available);

    void show();   // register: the icon appears now or as soon as a notification area exists
    void remove(); // unregister
    bool isRegistered() const { return m_registered; }
    // Registered, and a notification area shows the icon.
    bool isShown() const { return m_registered && m_available; }
    // Looks whether a notification area has come or gone since the last look (the watch does this every second).
    void checkAvailability();
    // The owner calls checkAvailabilityIfDue() at least once a second (from its own periodic work) instead of the
    // tray waking up for its watch; false gives the watch its timer back.
    void setWatchedByOwner(bool byOwner);
    // checkAvailability(), when a second has passed since the last look.
    void checkAvailabilityIfDue();

    void setImage(TrayImage image);
    // A new first line (the logging state) shows at once; otherwise the tooltip changes at most once a second and
    // the latest text shows when the second is over.
    void setToolTip(const QString& text);
    // Whether a second has passed since the last text was offered, changed or not: an owner that offers one at
    // least once a second need not make it more often.
    bool toolTipDue() const;
    TrayImage image() const { return m_image; }
    QString toolTip() const;
    // Timers of its own: the once-a-second watch, and a tooltip waiting for its second to be over.
    bool isWatchRunning() const { return m_watch.isActive(); }
    bool isToolTipPending() const { return m_pendingToolTip.isActive(); }

    QMenu* menu() const { return m_menu; }
    QAction* mPopRestore = nullptr;
    QAction* mPopMinimize = nullptr;
    QAction* mPopStart = nullptr;
    QAction* mPopPause = nullptr;
    QAction* mPopStop = nullptr;
    QAction* mPopExit = nullptr;

    // The icon's double click, as the desktop reports it (tests call it directly). A StatusNotifierItem host has no
    // double click: there the activation (a left click) counts as one.
    void handleDoubleClick();

    static constexpr int kWatchIntervalMs = 1000;
    static constexpr int kToolTipIntervalMs = 1000;

signals:
    void restoreRequested();
    // A notification area appeared (the icon is in it now) or went away.
    void availabilityChanged(bool available);

private:
    void blockMenuIfNeeded();
    void unblockMenu();
    void applyToolTip();

    std::function<bool()> m_isBlocked;
    QSystemTrayIcon* m_icon;
    QMenu* m_menu;
    TrayImage m_image{1};
    bool m_activationRestores = false;
    bool m_registered = false;
    bool m_available = false;
    bool m_watchedByOwner = false;
    QTimer m_watch;
    QElapsedTimer m_sinceWatch;
    QString m_toolTip;
    QElapsedTimer m_sinceToolTip; // since the tooltip last changed
    QElapsedTimer m_sinceOffered; // since setToolTip was last called
    QTimer m_pendingToolTip;
    std::vector<std::pair<QAction*, bool>> m_savedEnabling;
};

} // namespace tw
