#include "app/ui/SystemTray.h"

#include "app/MonitorView.h"
#include "app/ui/ResourceImages.h"
#include "platform/qt/NotificationAreaKind.h"
#include "widgets/ui/UiText.h"

#include <QAction>
#include <QMenu>
#include <QSystemTrayIcon>

namespace tw {

namespace {

std::optional<bool>& availabilityOverride() {
    static std::optional<bool> value;
    return value;
}

QAction* addItem(QMenu* menu, const QString& caption, const char* name) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

} // namespace

SystemTray::SystemTray(QObject* parent, std::function<bool()> isBlocked)
    : QObject(parent), m_isBlocked(std::move(isBlocked)), m_icon(new QSystemTrayIcon(this)), m_menu(new QMenu) {
    m_menu->setObjectName(QStringLiteral("mPopupSys"));
    m_menu->setTitle(QStringLiteral("&SysTray"));
    mPopRestore = addItem(m_menu, QStringLiteral("Open ") + appTitle(), "mPopRestore");
    QFont bold = mPopRestore->font();
    bold.setBold(true);
    mPopRestore->setFont(bold);
    m_menu->setDefaultAction(mPopRestore);
    mPopMinimize = addItem(m_menu, QStringLiteral("Minimize to tray"), "mPopMinimize");
    m_menu->addSeparator();
    QMenu* logging = m_menu->addMenu(QStringLiteral("Logging"));
    logging->setObjectName(QStringLiteral("mPopLogging"));
    mPopStart = addItem(logging, QStringLiteral("Start/Continue"), "mPopStart");
    mPopPause = addItem(logging, QStringLiteral("Pause"), "mPopPause");
    mPopStop = addItem(logging, QStringLiteral("Stop"), "mPopStop");
    m_menu->addSeparator();
    mPopExit = addItem(m_menu, QStringLiteral("Shut down"), "mPopExit");

    m_icon->setContextMenu(m_menu);
    connect(m_menu, &QMenu::aboutToShow, this, &SystemTray::blockMenuIfNeeded);
    connect(m_menu, &QMenu::aboutToHide, this, &SystemTray::unblockMenu);
    // Qt settles on a StatusNotifierItem or an XEmbed icon when the icon is made; so does this.
    m_activationRestores = notificationAreaIsStatusNotifierHost();
    connect(m_icon, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::DoubleClick || (reason == QSystemTrayIcon::Trigger && m_activationRestores)) {
            handleDoubleClick();
        }
    });
    setImage(TrayImage::Idle);

    m_watch.setInterval(kWatchIntervalMs);
    connect(&m_watch, &QTimer::timeout, this, &SystemTray::checkAvailability);
    m_pendingToolTip.setSingleShot(true);
    connect(&m_pendingToolTip, &QTimer::timeout, this, &SystemTray::applyToolTip);
}

SystemTray::~SystemTray() {
    remove();
    delete m_menu;
}

bool SystemTray::isAvailable() {
    if (availabilityOverride()) {
        return *availabilityOverride();
    }
    return QSystemTrayIcon::isSystemTrayAvailable();
}

void SystemTray::setAvailabilityForTesting(std::optional<bool> available) {
    availabilityOverride() = available;
}

void SystemTray::show() {
    m_registered = true;
    m_available = isAvailable();
    if (m_available) {
        m_icon->show();
    }
    m_sinceWatch.start();
    if (!m_watchedByOwner) {
        m_watch.start();
    }
}

void SystemTray::setWatchedByOwner(bool byOwner) {
    m_watchedByOwner = byOwner;
    if (byOwner) {
        m_watch.stop();
    } else if (m_registered && !m_watch.isActive()) {
        m_watch.start();
    }
}

void SystemTray::checkAvailabilityIfDue() {
    if (!m_sinceWatch.isValid() || m_sinceWatch.elapsed() >= kWatchIntervalMs) {
        checkAvailability();
    }
}

void SystemTray::remove() {
    m_registered = false;
    m_watch.stop();
    m_pendingToolTip.stop();
    m_icon->hide();
}

void SystemTray::checkAvailability() {
    if (!m_registered) {
        return;
    }
    m_sinceWatch.start();
    const bool available = isAvailable();
    if (available == m_available) {
        return;
    }
    m_available = available;
    // Hidden first either way: the icon of a notification area that went away is gone with it, and a new one
    // takes only an icon that asks to be added.
    m_icon->hide();
    if (available) {
        m_icon->show();
    }
    emit availabilityChanged(available);
}

void SystemTray::setImage(TrayImage image) {
    m_image = image;
    m_icon->setIcon(trayImage(image));
}

void SystemTray::setToolTip(const QString& text) {
    m_sinceOffered.start();
    if (text == m_toolTip) {
        return;
    }
    const bool newState = text.section(QLatin1Char('\n'), 0, 0) != m_toolTip.section(QLatin1Char('\n'), 0, 0);
    m_toolTip = text;
    if (newState || !m_sinceToolTip.isValid() || m_sinceToolTip.elapsed() >= kToolTipIntervalMs) {
        applyToolTip();
    } else if (!m_pendingToolTip.isActive()) {
        m_pendingToolTip.start(static_cast<int>(kToolTipIntervalMs - m_sinceToolTip.elapsed()));
    }
}

bool SystemTray::toolTipDue() const {
    return !m_sinceOffered.isValid() || m_sinceOffered.elapsed() >= kToolTipIntervalMs;
}

void SystemTray::applyToolTip() {
    m_pendingToolTip.stop();
    m_sinceToolTip.start();
    m_icon->setToolTip(m_toolTip);
}

QString SystemTray::toolTip() const {
    return m_icon->toolTip();
}

void SystemTray::handleDoubleClick() {
    if (!m_isBlocked()) {
        emit restoreRequested();
    }
}

void SystemTray::blockMenuIfNeeded() {
    if (!m_isBlocked()) {
        return;
    }
    for (QAction* action : {mPopRestore, mPopMinimize, mPopStart, mPopPause, mPopStop, mPopExit}) {
        m_savedEnabling.emplace_back(action, action->isEnabled());
        action->setEnabled(false);
    }
}

void SystemTray::unblockMenu() {
    for (auto [action, enabled] : m_savedEnabling) {
        action->setEnabled(enabled);
    }
    m_savedEnabling.clear();
}

} // namespace tw
