#pragma once

#include <QObject>
#include <QString>

class QSoundEffect;

namespace tw {

// Plays a WAV file once in the background through the system's own audio: QSoundEffect where Qt Multimedia is the
// audio path, PlaySound on Windows. A machine without a sound device is not an error: nothing is heard.
class SystemSound : public QObject {
    Q_OBJECT

public:
    explicit SystemSound(QObject* parent = nullptr);
    ~SystemSound() override;

    // True when the file was handed to the audio back end; a file it cannot decode plays nothing.
    bool play(const QString& path);
    void stop();

private:
    QSoundEffect* m_effect = nullptr;
};

} // namespace tw
