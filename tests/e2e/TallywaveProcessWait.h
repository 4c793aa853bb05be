#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

namespace twtest {

template <typename Pred> bool waitFor(Pred pred, int timeoutMs) {
    QElapsedTimer timer;
    timer.start();
    while (!pred()) {
        if (timer.elapsed() > timeoutMs) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(20);
    }
    return true;
}

} // namespace twtest
