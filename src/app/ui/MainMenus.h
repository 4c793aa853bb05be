#pragma once

class QAction;
class QMenu;
class QMenuBar;

namespace tw {

// The main window's menu bar. Every item's objectName is its mnu name ("mnuContinue", "mnuLast60"...), so tests and
// the window find them alike. Every caption has a mnemonic (the letter after "&"); Exit, Settings and Contents also
// have the desktop's standard keys (Ctrl+Q, the preferences key, F1).
struct MainMenus {
    QMenu* file = nullptr;
    QAction* settings = nullptr;
    QAction* exit = nullptr;

    QMenu* logging = nullptr;
    QAction* start = nullptr; // "Start/continue"
    QAction* pause = nullptr;
    QAction* stop = nullptr;
    QMenu* reset = nullptr;
    QAction* resetSession = nullptr;
    QAction* resetToday = nullptr;
    QAction* resetMonth = nullptr;
    QAction* editLogs = nullptr;

    QMenu* view = nullptr;
    QAction* connections = nullptr;
    QAction* interfaceInfo = nullptr;
    QAction* historyChart = nullptr; // checkable

    QMenu* tools = nullptr;
    QAction* traceroute = nullptr;
    QAction* whois = nullptr;
    QAction* alarm = nullptr;

    QMenu* help = nullptr;
    QAction* contents = nullptr;
    QMenu* onTheWeb = nullptr;
    QAction* productPage = nullptr;
    QAction* makerPage = nullptr;
    QAction* about = nullptr;

    static MainMenus build(QMenuBar* bar);
};

} // namespace tw
