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
// Windows ends a GUI program through the session manager (commitDataRequest), which the main window handles.
// Windows tells of the end of the session (WM_QUERYENDSESSION) to every top-level window, hidden ones included, and
// Qt turns that into commitDataRequest. A copy started in the tray has created no window yet, so this one, never
// shown and named after the program, is there to be told.
void ShutdownSignals::install() {}
ShutdownSignals::ShutdownSignals(QObject* parent) : QObject(parent), m_sessionWindow(std::make_unique<QWindow>()) {
    m_sessionWindow->setTitle(QCoreApplication::applicationName());
    m_sessionWindow->create();
}
ShutdownSignals::~ShutdownSignals() = default;
bool ShutdownSignals::pending() {
    return false;
}
void ShutdownSignals::onReadable() {}
bool ShutdownSignals::drain() {
    return false;
}
#else

namespace {

int gPipe[2] = {-1, -1};
constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};

void onSignal(int) {
    const char c = 1;
    [[maybe_unused]] const auto n = ::write(gPipe[1], &c, 1);
}

} // namespace

void ShutdownSignals::install() {
    if (gPipe[0] >= 0 || ::pipe2(gPipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        return;
    }
    struct sigaction sa {};
    sa.sa_handler = onSignal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    sigset_t set;
    sigemptyset(&set);
    for (int sig : kSignals) {
        ::sigaction(sig, &sa, nullptr);
        sigaddset(&set, sig);
    }
    ::sigprocmask(SIG_UNBLOCK, &set, nullptr);
}

ShutdownSignals::ShutdownSignals(QObject* parent) : QObject(parent) {
    install();
    if (gPipe[0] < 0) {
        return;
    }
    m_notifier = new QSocketNotifier(gPipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &ShutdownSignals::onReadable);
}

ShutdownSignals::~ShutdownSignals() {
    for (int sig : kSignals) {
        std::signal(sig, SIG_DFL);
    }
}

bool ShutdownSignals::drain() {
    bool any = false;
    char buf[16];
    while (gPipe[0] >= 0 && ::read(gPipe[0], buf, sizeof buf) > 0) {
        any = true;
    }
    return any;
}

bool ShutdownSignals::pending() {
    const bool any = drain() || m_unanswered;
    m_unanswered = false;
    return any;
}

void ShutdownSignals::onReadable() {
    if (!drain()) {
        return;
    }
    m_unanswered = true; // for pending(), in case nobody listens yet
    emit shutdownRequested();
}

#endif

} // namespace tw
