#pragma once

#include <QObject>

#include <memory>

class QSocketNotifier;
class QWindow;

namespace tw {

// Turns SIGTERM, SIGINT and SIGHUP into a Qt signal on the UI thread, so the program can save the running session
// and leave as it does when the desktop session ends. On Windows it makes sure the end of the Windows session reaches
// the program even before any window has been shown.
class ShutdownSignals : public QObject {
    Q_OBJECT
public:
    explicit ShutdownSignals(QObject* parent = nullptr);
    ~ShutdownSignals() override;

signals:
    void shutdownRequested();

private:
    void onReadable();
    QSocketNotifier* m_notifier = nullptr;
    std::unique_ptr<QWindow> m_sessionWindow;
};

} // namespace tw
