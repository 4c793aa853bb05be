#pragma once

#include "history/clsSessionData.h"

#include <optional>
#include <string>
#include <vector>

class QWidget;

namespace tw {

struct AppPaths;
class ProgressSink;

// The other windows the main window opens, in one place. A window that is not part of this build yet reports
// itself unavailable, and its menu item and toolbar button stay disabled.
class WindowLauncher {
public:
    enum class Window { Settings, Alarms, LogViewer, Connections, InterfaceInfo, Traceroute, Whois, Notification };

    WindowLauncher(QWidget* owner, const AppPaths& paths);

    static bool isAvailable(Window window);

    // Modal windows owned by the main window. True when closed with OK.
    bool openSettings();
    bool openAlarms();
    // The log viewer, reporting its loading to the progress window.
    bool openLogViewer(const std::optional<clsSessionData>& running, ProgressSink& progress);
    // The network tools (Connections, InterfaceInfo, Traceroute, Whois).
    void openTool(Window window);
    // The alarm notification window; false when it could not be shown now.
    bool showAlarmNotification(const std::vector<std::string>& descriptions);

private:
    QWidget* m_owner;
    const AppPaths& m_paths;
};

} // namespace tw
