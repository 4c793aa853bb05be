#pragma once

// moc cannot parse the C++20 library headers these pull in.
#ifndef Q_MOC_RUN
#include "alarms/DisconnectSettings.h"
#include "platform/LinkDisconnector.h"
#endif

#include <QPoint>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <string>
#include <vector>

class QLabel;
class QListWidget;

namespace tw {

class AlarmSound;
class clsButton;

// "Tallywave Alarm!": the small window on top of the others that lists the alarms that fired, plays the alarm
// sound once, and offers "OK" and "Open Tallywave". It never takes the focus. Closing it unloads it (the object
// is deleted), which stops the sound.
//
// With "Automatic disconnection" set in the alarm window it also counts the seconds down ("countdownLabel") with a
// "Cancel" button ("cancelButton", absent when the alarm window disables it), then disconnects the monitored
// connections and lists what happened. Closing the window does not end the countdown: OK shows again when it is
// over, and "Open Tallywave" leaves the window open meanwhile.
class splashForm : public QWidget {
    Q_OBJECT

public:
    // settingsPath: settings.txt; defaultSoundPath: wakeup.wav beside the executable. sound: the player to use
    // (tests pass a fake); by default one is made when a sound is first played.
    splashForm(std::string settingsPath, std::string defaultSoundPath, AlarmSound* sound = nullptr,
               QWidget* parent = nullptr);
    ~splashForm() override;

    // Appends the descriptions of newly fired alarms, already in display order, below the lines listed so far.
    void updateLabels(const std::vector<std::string>& descriptions);
    // Takes the monitored connections off the network; what the countdown calls at its end.
    using Disconnect = std::function<std::vector<DisconnectOutcome>()>;
    void setDisconnect(Disconnect disconnect) { m_disconnect = std::move(disconnect); }
    // Plays the file once in the background; false when it could not be handed to the audio back end.
    // Playing is always asynchronous here; the flag is kept for callers written against the blocking form.
    bool PlayWAVFile(const QString& path, bool async);
    void StopPlayingWAV();

    QStringList lines() const;
    enum class Countdown { Off, Running, Cancelled, Done };
    Countdown countdown() const { return m_countdown; }

signals:
    // "Open Tallywave" was pressed: the main window is to be shown (this window unloads itself).
    void openMainWindowRequested();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void buildControls();
    void applyRoundedShape();
    void applyTransparency();
    void startSound();
    void moveOnScreen(QPoint topLeft);
    void buildCountdown();
    void tick();
    void cancelCountdown();
    void disconnectNow();
    void showCountdownText(const QString& text);

    std::string m_settingsPath;
    std::string m_defaultSoundPath;
    QPointer<AlarmSound> m_sound;
    QLabel* m_heading = nullptr;
    QListWidget* m_list = nullptr;
    clsButton* m_okButton = nullptr;
    clsButton* m_openButton = nullptr;
    QLabel* m_countdownLabel = nullptr;
    clsButton* m_cancelButton = nullptr;
    DisconnectSettings m_disconnectSettings;
    Disconnect m_disconnect;
    QTimer m_countdownTimer;
    int m_secondsLeft = 0;
    Countdown m_countdown = Countdown::Off;
    QPoint m_dragStart;
    // Only a press on the window itself starts a drag: a press on a button belongs to the button.
    bool m_dragging = false;
    bool m_soundStarted = false;
    bool m_buttonsDrawn = false;
};

} // namespace tw
