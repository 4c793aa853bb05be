#include "e2e/windows/WineCopy.h"

#include "e2e/NetNamespace.h"
#include "e2e/TallywaveProcessWait.h"

#include <filesystem>
#include <iostream>

namespace twtest {

namespace {

namespace fs = std::filesystem;

QString envOr(const char* name, const char* fallback) {
    const QString value = qEnvironmentVariable(name);
    return value.isEmpty() ? QString::fromLatin1(fallback) : value;
}

QString wine() {
    return envOr("TALLYWAVE_WINE", "/usr/lib/wine/wine64");
}
// Not on PATH in Debian: a `wineserver -k` from PATH would silently stop nothing.
QString wineServer() {
    return envOr("TALLYWAVE_WINESERVER", "/usr/lib/wine/wineserver");
}

} // namespace

bool windowsProgramUsable(std::string* why) {
    const QString program = qEnvironmentVariable("TALLYWAVE_WINDOWS_PROGRAM");
    if (program.isEmpty() || !fs::exists(fs::path(program.toStdString()) / "tallywave.exe")) {
        *why = "no Windows build given (TALLYWAVE_WINDOWS_PROGRAM; scripts/test-windows.sh sets it)";
        return false;
    }
    if (qEnvironmentVariable("WINEPREFIX").isEmpty()) {
        *why = "no Wine prefix given (WINEPREFIX)";
        return false;
    }
    if (!fs::exists(wine().toStdString()) || !fs::exists(wineServer().toStdString())) {
        *why = "Wine is not installed (run scripts/install-deps.sh)";
        return false;
    }
    return true;
}

WineCopy::WineCopy(QStringList wrapper) : m_wrapper(std::move(wrapper)) {
    fs::copy(qEnvironmentVariable("TALLYWAVE_WINDOWS_PROGRAM").toStdString(), m_dir.path(),
             fs::copy_options::recursive);
    startServer();
}

void WineCopy::startServer() const {
    stopServer(); // one started elsewhere (no display, another namespace)
    QProcess server;
    launch(server, {wineServer(), "-p"}, environment());
    server.waitForFinished(); // the server detaches
}

WineCopy::~WineCopy() {
    stopServer();
}

// Kills the prefix's server and its programs, and waits until it is gone: a new one started meanwhile would find
// the old one still answering.
void WineCopy::stopServer() const {
    for (const char* step : {"-k", "-w"}) {
        QProcess p;
        p.setProcessEnvironment(environment());
        p.start(wineServer(), {step});
        p.waitForFinished(60000);
    }
}

QProcessEnvironment WineCopy::environment() const {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("WINEDEBUG", "-all");
    env.insert("WINEDLLOVERRIDES", "mscoree,mshtml=");
    env.insert("WINESERVER", wineServer());
    env.remove("QT_QPA_PLATFORM"); // the real Windows platform plugin
    return env;
}

void WineCopy::launch(QProcess& process, const QStringList& command, const QProcessEnvironment& env) const {
    process.setProcessEnvironment(env);
    if (m_wrapper.isEmpty()) {
        process.start(command.front(), command.mid(1));
    } else {
        process.start(m_wrapper.front(), m_wrapper.mid(1) + command);
    }
}

void WineCopy::start(QProcess& process, const QStringList& args, const QProcessEnvironment& extra) const {
    QProcessEnvironment env = environment();
    env.insert(extra);
    launch(process, QStringList{wine(), QString::fromStdString(m_dir.file("tallywave.exe"))} + args, env);
}

bool WineCopy::startUntil(QProcess& process, const QStringList& args, const std::function<bool()>& ready,
                          int timeoutMs) const {
    for (int attempt = 1;; ++attempt) {
        start(process, args);
        if (waitFor(ready, timeoutMs)) {
            return true;
        }
        std::string windows;
        shell("xwininfo -root -tree | grep -F '\"tallywave.exe\"'", &windows);
        std::cerr << "tallywave.exe not up after " << timeoutMs << " ms (attempt " << attempt << "), its X windows:\n"
                  << windows << std::endl;
        if (attempt == 2) {
            return false;
        }
        startServer(); // ends the hung start too
        process.waitForFinished(10000);
    }
}

int WineCopy::runToEnd(const QStringList& args, std::string* out, int timeoutMs) const {
    QProcess p;
    start(p, args);
    const int code = waitForEnd(p, timeoutMs);
    if (out) {
        *out = p.readAllStandardOutput().toStdString();
    }
    return code;
}

int WineCopy::waitForEnd(QProcess& process, int timeoutMs) {
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        return -1;
    }
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

bool WineCopy::endSession() const {
    QProcess p;
    launch(p, {wine(), "wineboot", "--end-session"}, environment());
    return waitForEnd(p, 60000) == 0;
}

} // namespace twtest
