#pragma once

#include <QMetaObject>
#include <QObject>

#include <memory>
#include <mutex>
#include <utility>

namespace tw {

// Carries a worker thread's reports to a window's thread, in order. The window closes the channel when it gives the
// work up or goes away: reports after that, and reports still queued then, are dropped, so a worker that outlives its
// window (a name lookup cannot be interrupted) never reaches it. Make one per piece of work.
class WorkerReports : public std::enable_shared_from_this<WorkerReports> {
public:
    explicit WorkerReports(QObject* receiver) : m_receiver(receiver) {}

    // From any thread: runs report on the receiver's thread, unless the channel is closed by then.
    template <typename Report> void post(Report report) {
        std::lock_guard lock(m_mutex);
        if (m_receiver == nullptr) {
            return;
        }
        QMetaObject::invokeMethod(
            m_receiver,
            [self = shared_from_this(), report = std::move(report)]() mutable {
                if (self->isOpen()) {
                    report();
                }
            },
            Qt::QueuedConnection);
    }

    // On the receiver's thread, before the receiver goes away.
    void close() {
        std::lock_guard lock(m_mutex);
        m_receiver = nullptr;
    }

private:
    bool isOpen() {
        std::lock_guard lock(m_mutex);
        return m_receiver != nullptr;
    }

    std::mutex m_mutex;
    QObject* m_receiver;
};

} // namespace tw
