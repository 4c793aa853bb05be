#include "alarms/ui/AlarmSound.h"

#include "platform/qt/SystemSound.h"

namespace tw {

AlarmSound::AlarmSound(QObject* parent) : QObject(parent) {}

AlarmSound::~AlarmSound() {
    stop();
}

bool AlarmSound::play(const QString& path) {
    if (!m_output) {
        m_output = new SystemSound(this);
    }
    return m_output->play(path);
}

void AlarmSound::stop() {
    if (m_output) {
        m_output->stop();
    }
}

} // namespace tw
