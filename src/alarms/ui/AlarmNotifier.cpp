#include "alarms/ui/AlarmNotifier.h"

#include "alarms/ui/AlarmSound.h"
#include "alarms/ui/splashForm.h"

#include <QApplication>
#include <QWidget>

namespace tw {

AlarmNotifier::AlarmNotifier(std::string settingsPath, std::string defaultSoundPath, QWidget* mainWindow,
                             QObject* parent)
    : QObject(parent), m_settingsPath(std::move(settingsPath)), m_defaultSoundPath(std::move(defaultSoundPath)),
      m_mainWindow(mainWindow) {}

AlarmNotifier::~AlarmNotifier() {
    delete m_window.data();
}

bool AlarmNotifier::show(const std::vector<std::string>& descriptions) {
    if (m_window && m_window->isVisible()) {
        m_window->updateLabels(descriptions);
        return true;
    }
    unload();
    if (anotherWindowOpen())
        return false;
    AlarmSound* sound = m_soundFactory ? m_soundFactory() : nullptr;
    m_window = new splashForm(m_settingsPath, m_defaultSoundPath, sound);
    if (sound)
        sound->setParent(m_window);
    connect(m_window, &splashForm::openMainWindowRequested, this, &AlarmNotifier::openMainWindowRequested);
    m_window->updateLabels(descriptions);
    m_window->show();
    return true;
}

void AlarmNotifier::unload() {
    if (!m_window)
        return;
    // Deleted later: unload may be asked from inside one of the window's own signals.
    m_window->StopPlayingWAV();
    m_window->hide();
    m_window->deleteLater();
    m_window = nullptr;
}

bool AlarmNotifier::anotherWindowOpen() const {
    if (QApplication::activeModalWidget())
        return true;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (!w->isVisible() || w == m_mainWindow || w == m_window)
            continue;
        const Qt::WindowType type = w->windowType();
        if (type == Qt::Popup || type == Qt::ToolTip || type == Qt::Desktop)
            continue;
        return true;
    }
    return false;
}

} // namespace tw
