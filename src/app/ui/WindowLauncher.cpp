#include "app/ui/WindowLauncher.h"

#include "app/AppPaths.h"

#include <QWidget>

namespace tw {

WindowLauncher::WindowLauncher(QWidget* owner, const AppPaths& paths) : m_owner(owner), m_paths(paths) {}

bool WindowLauncher::isAvailable(Window window) {
    switch (window) {
    case Window::Settings:
    case Window::Alarms:
    case Window::LogViewer:
    case Window::Connections:
    case Window::InterfaceInfo:
    case Window::Traceroute:
    case Window::Whois:
    case Window::Notification:
        return false;
    }
    return false;
}

bool WindowLauncher::openSettings() {
    return false;
}

bool WindowLauncher::openAlarms() {
    return false;
}

bool WindowLauncher::openLogViewer(const std::optional<clsSessionData>&, ProgressSink&) {
    return false;
}

void WindowLauncher::openTool(Window) {}

bool WindowLauncher::showAlarmNotification(const std::vector<std::string>&) {
    return false;
}

} // namespace tw
