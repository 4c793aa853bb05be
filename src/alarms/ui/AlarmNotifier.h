#pragma once

// moc cannot parse the C++20 library headers these pull in.
#ifndef Q_MOC_RUN
#include "platform/LinkDisconnector.h"
#endif

#include <QObject>
#include <QPointer>

#include <functional>
#include <string>
#include <vector>

namespace tw {

class AlarmSound;
class splashForm;

// Brings up the alarm notification window for the monitor pass (MonitorView::showAlarmNotification): new lines
// go to the window on display; otherwise a loaded but hidden window is unloaded and a fresh one shown, unless
// another window of the program besides the main window is open.
class AlarmNotifier : public QObject {
    Q_OBJECT

public:
    // anotherWindowOpen tells whether a window of the program other than the main window and this notification
    // is open; the program answers it from its own window list.
    AlarmNotifier(std::string settingsPath, std::string defaultSoundPath, std::function<bool()> anotherWindowOpen,
                  QObject* parent = nullptr);
    ~AlarmNotifier() override;

    // Descriptions in display order. False when nothing could be shown: the alarms stay pending.
    bool show(const std::vector<std::string>& descriptions);
    // The window now loaded, if any.
    splashForm* window() const { return m_window; }
    // Unloads the window (stops its sound).
    void unload();

    // Tests give each new window a fake sound player.
    void setSoundFactory(std::function<AlarmSound*()> factory) { m_soundFactory = std::move(factory); }
    // What a window's countdown calls to take the monitored connections off the network.
    void setDisconnect(std::function<std::vector<DisconnectOutcome>()> disconnect) {
        m_disconnect = std::move(disconnect);
    }

signals:
    void openMainWindowRequested();

private:
    std::string m_settingsPath;
    std::string m_defaultSoundPath;
    std::function<bool()> m_anotherWindowOpen;
    QPointer<splashForm> m_window;
    std::function<AlarmSound*()> m_soundFactory;
    std::function<std::vector<DisconnectOutcome>()> m_disconnect;
};

} // namespace tw
