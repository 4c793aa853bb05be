#include "e2e/TallywaveProcess.h"

#include <QProcessEnvironment>

#include <csignal>
#include <filesystem>

namespace twtest {

namespace {

QProcessEnvironment offscreenEnvironment(const TempDir& dir) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    // Keep the real user's folders out of the test.
    env.insert("HOME", QString::fromStdString(dir.path().string()));
    env.insert("XDG_CONFIG_HOME", QString::fromStdString(dir.file("config")));
    env.insert("XDG_DATA_HOME", QString::fromStdString(dir.file("data")));
    env.insert("XDG_RUNTIME_DIR", QString::fromStdString(dir.path().string()));
    return env;
}

} // namespace

TallywaveCopy::TallywaveCopy() {
    namespace fs = std::filesystem;
    const fs::path exe(TALLYWAVE_EXECUTABLE);
    fs::copy_file(exe, m_dir.path() / "tallywave");
    // The window program the command hands over to (Linux), and what the program finds beside itself.
    for (const char* name : {"tallywave-gui", "wakeup.wav", "TallywaveHelp.html"}) {
        std::error_code ec;
        fs::copy_file(exe.parent_path() / name, m_dir.path() / name, ec);
    }
}

QString TallywaveCopy::exePath() const {
    return QString::fromStdString(m_dir.file("tallywave"));
}

int TallywaveCopy::runToEnd(const QStringList& args, std::string* out, std::string* err, int timeoutMs) const {
    QProcess p;
    p.setProcessEnvironment(offscreenEnvironment(m_dir));
    p.start(exePath(), args);
    if (!p.waitForFinished(timeoutMs)) {
        p.kill();
        p.waitForFinished();
        return -1;
    }
    if (out) {
        *out = p.readAllStandardOutput().toStdString();
    }
    if (err) {
        *err = p.readAllStandardError().toStdString();
    }
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

void TallywaveCopy::start(QProcess& process, const QStringList& args, const QStringList& wrapper) const {
    process.setProcessEnvironment(offscreenEnvironment(m_dir));
    if (wrapper.isEmpty()) {
        process.start(exePath(), args);
    } else {
        process.start(wrapper.front(), wrapper.mid(1) + QStringList{exePath()} + args);
    }
    process.waitForStarted();
}

int signalAndWait(QProcess& process, int signal, int timeoutMs) {
    if (process.state() == QProcess::NotRunning) {
        return process.exitCode();
    }
    ::kill(static_cast<pid_t>(process.processId()), signal);
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        return -1;
    }
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

} // namespace twtest
