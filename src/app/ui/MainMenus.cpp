#include "app/ui/MainMenus.h"

#include "widgets/ui/UiText.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace tw {

namespace {

QMenu* addMenu(QWidget* parent, const QString& caption, const char* name) {
    QMenu* menu = nullptr;
    if (auto* bar = qobject_cast<QMenuBar*>(parent)) {
        menu = bar->addMenu(caption);
    } else {
        menu = static_cast<QMenu*>(parent)->addMenu(caption);
    }
    menu->setObjectName(QString::fromLatin1(name));
    menu->menuAction()->setObjectName(QString::fromLatin1(name));
    return menu;
}

QAction* addItem(QMenu* menu, const QString& caption, const char* name) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

// The desktop's own key for the command, or the usual one where the desktop has none (Windows has no Quit key).
QKeySequence standardKey(QKeySequence::StandardKey key, QKeyCombination otherwise) {
    const QKeySequence standard(key);
    return standard.isEmpty() ? QKeySequence(otherwise) : standard;
}

} // namespace

MainMenus MainMenus::build(QMenuBar* bar) {
    MainMenus m;
    m.file = addMenu(bar, QStringLiteral("&File"), "mnuFile");
    m.settings = addItem(m.file, QStringLiteral("&Settings..."), "mnuSettings");
    m.settings->setShortcut(standardKey(QKeySequence::Preferences, Qt::CTRL | Qt::Key_Comma));
    m.file->addSeparator();
    m.exit = addItem(m.file, QStringLiteral("E&xit"), "mnuExit");
    m.exit->setShortcut(standardKey(QKeySequence::Quit, Qt::CTRL | Qt::Key_Q));

    m.logging = addMenu(bar, QStringLiteral("&Logging"), "mnuLogging");
    m.start = addItem(m.logging, QStringLiteral("&Start/continue"), "mnuContinue");
    m.pause = addItem(m.logging, QStringLiteral("&Pause"), "mnuPause");
    m.stop = addItem(m.logging, QStringLiteral("S&top"), "mnuStopIt");
    m.logging->addSeparator();
    m.reset = addMenu(m.logging, QStringLiteral("&Reset"), "mnuReset");
    m.resetSession = addItem(m.reset, QStringLiteral("&Current Session"), "mnuResetSess");
    m.resetToday = addItem(m.reset, QStringLiteral("&Today"), "mnuResetToday");
    m.resetMonth = addItem(m.reset, QStringLiteral("This &Month"), "mnuResetMonth");
    m.logging->addSeparator();
    m.editLogs = addItem(m.logging, QStringLiteral("&Edit logs..."), "mnuEditLogs");

    m.view = addMenu(bar, QStringLiteral("&View"), "mnuView");
    m.connections = addItem(m.view, QStringLiteral("&Connections..."), "mnuConnections");
    m.interfaceInfo = addItem(m.view, QStringLiteral("&Interface Info..."), "mnuInterfaceInfo");
    m.view->addSeparator();
    m.historyChart = addItem(m.view, QStringLiteral("&History chart"), "mnuLast60");
    m.historyChart->setCheckable(true);

    m.tools = addMenu(bar, QStringLiteral("&Tools"), "mnuTools");
    m.traceroute = addItem(m.tools, QStringLiteral("&Traceroute..."), "mnuTraceroute");
    m.whois = addItem(m.tools, QStringLiteral("&Whois..."), "mnuWhois");
    m.tools->addSeparator();
    m.alarm = addItem(m.tools, QStringLiteral("&Alarm..."), "mnuAlarm");

    m.help = addMenu(bar, QStringLiteral("&Help"), "mnuHelp");
    m.contents = addItem(m.help, QStringLiteral("&Contents"), "mnuContents");
    m.contents->setShortcut(standardKey(QKeySequence::HelpContents, Qt::Key_F1));
    m.help->addSeparator();
    m.onTheWeb = addMenu(m.help, QStringLiteral("On the &web"), "mnuOnTheWeb");
    m.productPage = addItem(m.onTheWeb, QStringLiteral("&") + appTitle(), "mnuProdAUpd");
    m.makerPage = addItem(m.onTheWeb, QStringLiteral("&Other programs from Veltrop"), "mnuOtherProgs");
    m.help->addSeparator();
    m.about = addItem(m.help, QStringLiteral("&About ") + appTitle(), "mnuAbout");
    return m;
}

} // namespace tw
