#pragma once

#include <QObject>

class QSocketNotifier;

namespace tw {

// Turns SIGTERM, SIGINT and SIGHUP into a Qt signal on the UI thread, so the program can save the running session
// and leave as it does when the desktop session ends.
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
};

} // namespace tw
