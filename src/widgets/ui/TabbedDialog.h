#pragma once

class QDialog;
class QString;
class QTabBar;
class QTabWidget;
class QWidget;

namespace tw {

// The frame of the tabbed settings windows: a tab widget above the OK and Cancel buttons (objectNames "OKButton"
// and "CancelButton", wired to accept and reject), laid out in the dialog. The caller adds the pages.
QTabWidget* addTabsAndButtons(QDialog* dialog, const QString& tabsName);

// In the window, Ctrl+Tab selects the next tab and Ctrl+Shift+Tab the previous one, wrapping around at both ends.
void cycleTabsWithCtrlTab(QWidget* window, QTabBar* tabs);

} // namespace tw
