#include "app/ui/MainToolbar.h"

#include "app/ui/ResourceImages.h"
#include "widgets/ui/UiText.h"

#include <QAction>
#include <QToolBar>

namespace tw {

namespace {

QAction* addButton(QToolBar* bar, const QString& key, const QString& tooltip) {
    QAction* action = bar->addAction(toolbarImage(key), key);
    action->setObjectName(key);
    action->setData(key);
    action->setToolTip(tooltip);
    action->setStatusTip(tooltip); // the button's description
    action->setWhatsThis(tooltip);
    return action;
}

} // namespace

MainToolbar MainToolbar::build(QWidget* parent) {
    MainToolbar t;
    t.bar = new QToolBar(parent);
    t.bar->setObjectName(QStringLiteral("Toolbar1"));
    t.bar->setMovable(false);
    t.bar->setFloatable(false);
    t.bar->setIconSize(QSize(24, 24));
    t.bar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    t.start = addButton(t.bar, QStringLiteral("Start"), QStringLiteral("Start/Continue logging"));
    t.pause = addButton(t.bar, QStringLiteral("Pause"), QStringLiteral("Pause logging"));
    t.stop = addButton(t.bar, QStringLiteral("Stop"), QStringLiteral("Stop logging"));
    t.bar->addSeparator();
    t.statistics = addButton(t.bar, QStringLiteral("Statistics"), QStringLiteral("View/Edit logs"));
    t.settings = addButton(t.bar, QStringLiteral("Settings"), QStringLiteral("Program settings"));
    t.alarm = addButton(t.bar, QStringLiteral("Alarm"), QStringLiteral("Alarm settings"));
    t.bar->addSeparator();
    t.traceroute = addButton(t.bar, QStringLiteral("Traceroute"), QStringLiteral("Traceroute"));
    t.whois = addButton(t.bar, QStringLiteral("Whois"), QStringLiteral("Whois"));
    t.bar->addSeparator();
    t.contents = addButton(t.bar, QStringLiteral("Contents"), appTitle() + QStringLiteral(" help"));
    return t;
}

QAction* MainToolbar::button(const QString& key) const {
    for (QAction* action : {start, pause, stop, statistics, settings, alarm, traceroute, whois, contents}) {
        if (action && action->data().toString() == key) {
            return action;
        }
    }
    return nullptr;
}

} // namespace tw
