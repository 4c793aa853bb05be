#include "app/ui/SystemTray.h"

#include "app/MonitorView.h"
#include "app/ui/ResourceImages.h"
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
    connect(m_icon, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::DoubleClick) {
            handleDoubleClick();
        }
    });
    setImage(TrayImage::Idle);
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
    m_shown = true;
    if (QSystemTrayIcon::isSystemTrayAvailable()) {
        m_icon->show();
    }
}

void SystemTray::remove() {
    m_shown = false;
    m_icon->hide();
}

void SystemTray::setImage(TrayImage image) {
    m_image = image;
    m_icon->setIcon(trayImage(image));
}

void SystemTray::setToolTip(const QString& text) {
    m_icon->setToolTip(text);
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
