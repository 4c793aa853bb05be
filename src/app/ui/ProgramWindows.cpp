#include "app/ui/ProgramWindows.h"

#include <QApplication>

#include <algorithm>

namespace tw {

void ProgramWindows::add(QWidget* window) {
    std::erase_if(m_windows, [](const QPointer<QWidget>& w) { return w.isNull(); });
    if (std::find(m_windows.begin(), m_windows.end(), window) == m_windows.end()) {
        m_windows.emplace_back(window);
    }
}

bool ProgramWindows::anyOpen() const {
    if (QApplication::activeModalWidget()) {
        return true;
    }
    return std::any_of(m_windows.begin(), m_windows.end(),
                       [](const QPointer<QWidget>& w) { return w && w->isVisible(); });
}

} // namespace tw
