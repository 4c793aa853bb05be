#pragma once

#include <QObject>

#include <memory>

class QSocketNotifier;
class QWindow;

namespace tw {

// Turns SIGTERM, SIGINT and SIGHUP into a Qt signal on the UI thread, so the program can save the running session
// and leave as it does when the desktop session ends. On Windows it makes sure the end of the Windows session reaches
// the program even before any window has been shown.
//
// install() comes first in start-up, before anything that takes time: from then on a signal is only noted, and the
// object, made once the application exists, reports it. One that came before anyone listened is kept: pending().
class ShutdownSignals : public QObject {
    Q_OBJECT
public:
    // Catches the signals (and lets them through if the parent had blocked them). Safe to call more than once.
    static void install();

    explicit ShutdownSignals(QObject* parent = nullptr);
    ~ShutdownSignals() override;

    // Whether a signal has come that nobody has acted on yet; answering true, it counts as acted on.
    bool pending();

signals:
    void shutdownRequested();

private:
    void onReadable();
    bool drain();

    QSocketNotifier* m_notifier = nullptr;
    bool m_unanswered = false;
    std::unique_ptr<QWindow> m_sessionWindow;
};

} // namespace tw
