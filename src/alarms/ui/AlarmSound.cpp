#include "alarms/ui/AlarmSound.h"

#include <QSoundEffect>
#include <QUrl>

namespace tw {

AlarmSound::AlarmSound(QObject* parent) : QObject(parent) {}

AlarmSound::~AlarmSound() {
    stop();
}

bool AlarmSound::play(const QString& path) {
    if (!m_effect) {
        m_effect = new QSoundEffect(this);
    }
    m_effect->setLoopCount(1);
    m_effect->setSource(QUrl::fromLocalFile(path));
    if (m_effect->status() == QSoundEffect::Error) {
        return false;
    }
    m_effect->play();
    return true;
}

void AlarmSound::stop() {
    if (m_effect) {
        m_effect->stop();
    }
}

} // namespace tw
