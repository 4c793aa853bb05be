#pragma once

#include <QObject>
#include <QString>

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
class SystemTray : public QObject {
    Q_OBJECT
public:
    // isBlocked tells whether another window of the program is open.
    SystemTray(QObject* parent, std::function<bool()> isBlocked);
    ~SystemTray() override;

    // Whether the desktop offers a notification area. Tests may decide it.
    static bool isAvailable();
    static void setAvailabilityForTesting(std::optional<bool> available);

    void show();   // register
    void remove(); // unregister
    bool isShown() const { return m_shown; }

    void setImage(TrayImage image);
    void setToolTip(const QString& text);
    TrayImage image() const { return m_image; }
    QString toolTip() const;

    QMenu* menu() const { return m_menu; }
    QAction* mPopRestore = nullptr;
    QAction* mPopMinimize = nullptr;
    QAction* mPopStart = nullptr;
    QAction* mPopPause = nullptr;
    QAction* mPopStop = nullptr;
    QAction* mPopExit = nullptr;

    // The icon's double click, as the desktop reports it (tests call it directly).
    void handleDoubleClick();

signals:
    void restoreRequested();

private:
    void blockMenuIfNeeded();
    void unblockMenu();

    std::function<bool()> m_isBlocked;
    QSystemTrayIcon* m_icon;
    QMenu* m_menu;
    TrayImage m_image{1};
    bool m_shown = false;
    std::vector<std::pair<QAction*, bool>> m_savedEnabling;
};

} // namespace tw
