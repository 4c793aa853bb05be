#pragma once

#include "app/ui/ProgramWindows.h"
#include "history/clsSessionData.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QWidget;

namespace tw {

struct AppPaths;
class AlarmNotifier;
class LinkDisconnector;
class NetworkTables;
class StartupEntry;
class frmSplash;

// The other windows the main window opens, in one place.
class WindowLauncher {
public:
    enum class Tool { Connections, InterfaceInfo, Traceroute, Whois };

    WindowLauncher(QWidget* owner, const AppPaths& paths);
    ~WindowLauncher();

    // Modal windows owned by the main window. True when closed with OK. The settings window offers the interfaces
    // of the system's tables as they are when the user adds a connection.
    bool openSettings();
    bool openAlarms();
    // The log viewer, reporting its loading to the progress window, which closes once the viewer is on screen.
    bool openLogViewer(const std::optional<clsSessionData>& running, frmSplash& progress);
    // The network tools.
    void openTool(Tool tool);
    // The alarm notification window; false when it could not be shown now. "Open Tallywave" in it calls
    // openMainWindow.
    bool showAlarmNotification(const std::vector<std::string>& descriptions);
    void setOpenMainWindow(std::function<void()> open) { m_openMainWindow = std::move(open); }
    AlarmNotifier& notifier();
    // The windows besides the main window that are open now.
    ProgramWindows& windows() { return m_windows; }
    const ProgramWindows& windows() const { return m_windows; }

    // The start-with-login entry the settings window edits (tests give a fake).
    void setStartupEntry(std::unique_ptr<StartupEntry> entry);
    // The tables whose interfaces the settings window offers (tests give a fake); the system's by default.
    void setNetworkTables(std::shared_ptr<NetworkTables> tables) { m_tables = std::move(tables); }
    // The links an automatic disconnection at the limit takes off the network: the monitored ones, now.
    void setMonitoredLinks(std::function<std::vector<std::string>()> links) { m_monitoredLinks = std::move(links); }
    // How they are disconnected (tests give a fake); NetworkManager where it runs, else the system's own way.
    void setLinkDisconnector(std::unique_ptr<LinkDisconnector> disconnector);

private:
    QWidget* m_owner;
    const AppPaths& m_paths;
    std::unique_ptr<StartupEntry> m_startup;
    std::shared_ptr<NetworkTables> m_tables;
    std::function<std::vector<std::string>()> m_monitoredLinks;
    std::unique_ptr<LinkDisconnector> m_disconnector;
    AlarmNotifier* m_notifier = nullptr; // owned by m_owner
    std::function<void()> m_openMainWindow;
    ProgramWindows m_windows;
};

} // namespace tw
