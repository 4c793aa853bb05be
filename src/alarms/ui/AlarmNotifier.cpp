#include "alarms/ui/AlarmNotifier.h"

#include "alarms/ui/AlarmSound.h"
#include "alarms/ui/splashForm.h"

namespace tw {

AlarmNotifier::AlarmNotifier(std::string settingsPath, std::string defaultSoundPath,
                             std::function<bool()> anotherWindowOpen, QObject* parent)
    : QObject(parent), m_settingsPath(std::move(settingsPath)), m_defaultSoundPath(std::move(defaultSoundPath)),
      m_anotherWindowOpen(std::move(anotherWindowOpen)) {}

AlarmNotifier::~AlarmNotifier() {
    delete m_window.data();
}

bool AlarmNotifier::show(const std::vector<std::string>& descriptions) {
    if (m_window && m_window->isVisible()) {
        m_window->updateLabels(descriptions);
        return true;
    }
    unload();
    if (m_anotherWindowOpen && m_anotherWindowOpen()) {
        return false;
    }
    AlarmSound* sound = m_soundFactory ? m_soundFactory() : nullptr;
    m_window = new splashForm(m_settingsPath, m_defaultSoundPath, sound);
    if (sound) {
        sound->setParent(m_window);
    }
    connect(m_window, &splashForm::openMainWindowRequested, this, &AlarmNotifier::openMainWindowRequested);
    m_window->setDisconnect(m_disconnect);
    m_window->updateLabels(descriptions);
    m_window->show();
    return true;
}

void AlarmNotifier::unload() {
    if (!m_window) {
        return;
    }
    // Deleted later: unload may be asked from inside one of the window's own signals.
    m_window->StopPlayingWAV();
    m_window->hide();
    m_window->deleteLater();
    m_window = nullptr;
}

} // namespace tw
