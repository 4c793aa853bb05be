#include "app/ui/WindowLauncher.h"

#include "alarms/ui/AlarmNotifier.h"
#include "alarms/ui/alarmDialog2.h"
#include "alarms/ui/splashForm.h" // before AlarmNotifier.h, whose QPointer needs the whole class
#include "app/AppPaths.h"
#include "app/ProgramFiles.h"
#include "app/ui/frmSplash.h"
#include "config/ui/frmOptions.h"
#include "history/ui/editloggsForm.h"
#include "measure/InterfaceChoices.h"
#include "measure/ui/addInterfaceDialog.h"
#include "platform/LinkDisconnector.h"
#include "platform/NetworkTables.h"
#include "platform/StartupEntry.h"
#include "platform/qt/NetworkManagerDisconnector.h"
#include "tools/ui/frmAdaptors.h"
#include "tools/ui/frmConnection.h"
#include "tools/ui/frmTraceroute.h"
#include "tools/ui/frmWhois.h"

#include <QCoreApplication>
#include <QTimer>
#include <QWidget>

namespace tw {

WindowLauncher::WindowLauncher(QWidget* owner, const AppPaths& paths) : m_owner(owner), m_paths(paths) {}

WindowLauncher::~WindowLauncher() = default;

void WindowLauncher::setStartupEntry(std::unique_ptr<StartupEntry> entry) {
    m_startup = std::move(entry);
}

void WindowLauncher::setLinkDisconnector(std::unique_ptr<LinkDisconnector> disconnector) {
    m_disconnector = std::move(disconnector);
}

bool WindowLauncher::openSettings() {
    if (!m_startup) {
        // The login entry starts the `tallywave` command, as the menus do, not the window program behind it.
        m_startup = makeStartupEntry(commandPathOfThisProcess());
    }
    frmOptions options(m_paths.settingsPath, *m_startup, m_owner);
    options.setConnectionPicker([this](QWidget* owner, const std::vector<MonitoredConnection>& existing) {
        // The system's tables are read for this one choice and released with it.
        const std::shared_ptr<NetworkTables> tables = m_tables ? m_tables : makeSystemNetworkTables();
        return addInterfaceDialog::pick(readInterfaceChoices(*tables), existing, owner);
    });
    return options.exec() == QDialog::Accepted;
}

bool WindowLauncher::openAlarms() {
    // The caller rebuilds the running rules from the settings file after OK.
    alarmDialog2 alarms(m_paths.settingsPath, m_paths.defaultSoundPath(), nullptr, m_owner);
    return alarms.exec() == QDialog::Accepted;
}

bool WindowLauncher::openLogViewer(const std::optional<clsSessionData>& running, frmSplash& progress) {
    editloggsForm viewer(m_paths.historyPath, running, &progress, m_owner);
    viewer.rememberSizeIn(m_paths.settingsPath);
    // exec() shows the viewer before its event loop runs this: the wait is over, and the progress window must not
    // stay on screen behind the viewer.
    QTimer::singleShot(0, &progress, &QWidget::close);
    return viewer.exec() == QDialog::Accepted;
}

void WindowLauncher::openTool(Tool tool) {
    switch (tool) {
    case Tool::Connections: {
        frmConnection dialog(m_owner);
        dialog.exec();
        break;
    }
    case Tool::InterfaceInfo: {
        frmAdaptors dialog(m_owner);
        dialog.exec();
        break;
    }
    case Tool::Traceroute: {
        frmTraceroute dialog(m_owner);
        dialog.exec();
        break;
    }
    case Tool::Whois: {
        frmWhois dialog(m_owner);
        dialog.exec();
        break;
    }
    }
}

AlarmNotifier& WindowLauncher::notifier() {
    if (!m_notifier) {
        m_notifier = new AlarmNotifier(
            m_paths.settingsPath, m_paths.defaultSoundPath(), [this] { return m_windows.anyOpen(); }, m_owner);
        QObject::connect(m_notifier, &AlarmNotifier::openMainWindowRequested, m_owner, [this] {
            if (m_openMainWindow) {
                m_openMainWindow();
            }
        });
        m_notifier->setDisconnect([this]() -> std::vector<DisconnectOutcome> {
            const std::vector<std::string> links = m_monitoredLinks ? m_monitoredLinks() : std::vector<std::string>{};
            if (links.empty()) {
                return {};
            }
            if (!m_disconnector) {
                m_disconnector = makeDesktopLinkDisconnector();
            }
            return m_disconnector->disconnect(links);
        });
    }
    return *m_notifier;
}

bool WindowLauncher::showAlarmNotification(const std::vector<std::string>& descriptions) {
    if (!notifier().show(descriptions)) {
        return false;
    }
    m_windows.add(m_notifier->window());
    return true;
}

} // namespace tw
