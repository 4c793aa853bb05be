#pragma once

#include <QPointer>
#include <QWidget>

#include <vector>

namespace tw {

// The program's own windows besides the main window: what the tray and the alarm notification ask before they act.
// The modeless ones (the progress and notification windows) are listed here as they open and leave the list when
// destroyed; every dialog and message box of the program is modal, and only the program opens modal windows.
// Top-level widgets are never scanned for this: on an XEmbed desktop the tray icon is a visible one of them.
class ProgramWindows {
public:
    void add(QWidget* window);
    // A listed window on screen, or a modal window.
    bool anyOpen() const;

private:
    std::vector<QPointer<QWidget>> m_windows;
};

} // namespace tw
