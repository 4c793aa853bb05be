#include "platform/qt/ShutdownSignals.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <QWindow>

#include <csignal>
#ifndef Q_OS_WIN
#include <fcntl.h>
#include <unistd.h>
#endif

namespace tw {

#ifdef Q_OS_WIN
// Windows tells of the end of the session (WM_QUERYENDSESSION) to every top-level window, hidden ones included, and
// Qt turns that into commitDataRequest, which the main window handles. A copy started in the tray has created no
// window yet, so this one, never shown and named after the program, is there to be told.
ShutdownSignals::ShutdownSignals(QObject* parent) : QObject(parent), m_sessionWindow(std::make_unique<QWindow>()) {
    m_sessionWindow->setTitle(QCoreApplication::applicationName());
    m_sessionWindow->create();
}
ShutdownSignals::~ShutdownSignals() = default;
void ShutdownSignals::onReadable() {}
#else

namespace {

int gPipe[2] = {-1, -1};

void onSignal(int) {
    const char c = 1;
    [[maybe_unused]] const auto n = ::write(gPipe[1], &c, 1);
}

} // namespace

ShutdownSignals::ShutdownSignals(QObject* parent) : QObject(parent) {
    if (gPipe[0] < 0 && ::pipe2(gPipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        return;
    }
    m_notifier = new QSocketNotifier(gPipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &ShutdownSignals::onReadable);
    struct sigaction sa {};
    sa.sa_handler = onSignal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    for (int sig : {SIGTERM, SIGINT, SIGHUP}) {
        ::sigaction(sig, &sa, nullptr);
    }
}

ShutdownSignals::~ShutdownSignals() {
    for (int sig : {SIGTERM, SIGINT, SIGHUP}) {
        std::signal(sig, SIG_DFL);
    }
}

void ShutdownSignals::onReadable() {
    char buf[16];
    while (::read(gPipe[0], buf, sizeof buf) > 0) {
    }
    emit shutdownRequested();
}

#endif

} // namespace tw
