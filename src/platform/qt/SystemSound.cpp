#include "platform/qt/SystemSound.h"

#ifdef Q_OS_WIN
#include <QFileInfo>

#include <windows.h>

#include <mmsystem.h>
#else
#include <QSoundEffect>
#include <QUrl>
#endif

namespace tw {

SystemSound::SystemSound(QObject* parent) : QObject(parent) {}

SystemSound::~SystemSound() {
    stop();
}

#ifdef Q_OS_WIN

// SND_NODEFAULT: a file that cannot be played stays silent instead of sounding the system's default beep.
bool SystemSound::play(const QString& path) {
    if (!QFileInfo(path).isFile()) {
        return false;
    }
    const std::wstring file = QFileInfo(path).absoluteFilePath().toStdWString();
    return PlaySoundW(file.c_str(), nullptr, SND_FILENAME | SND_ASYNC | SND_NODEFAULT) != FALSE;
}

void SystemSound::stop() {
    PlaySoundW(nullptr, nullptr, 0);
}

#else

bool SystemSound::play(const QString& path) {
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

void SystemSound::stop() {
    if (m_effect) {
        m_effect->stop();
    }
}

#endif

} // namespace tw
