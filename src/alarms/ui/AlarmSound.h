#pragma once

#include <QObject>
#include <QString>

#include <memory>

namespace tw {

class SystemSound;

// Plays a sound file once. The audio back end is started only when a sound is really played, and a machine
// without a sound device is not an error: nothing is heard.
class AlarmSound : public QObject {
    Q_OBJECT

public:
    explicit AlarmSound(QObject* parent = nullptr);
    ~AlarmSound() override;

    // True when the file was handed to the audio back end (it plays in the background); a file it cannot decode
    // plays nothing.
    virtual bool play(const QString& path);
    virtual void stop();

private:
    SystemSound* m_output = nullptr;
};

} // namespace tw
