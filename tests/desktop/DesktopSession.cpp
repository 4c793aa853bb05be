#include "desktop/DesktopSession.h"

#include <QDir>
#include <QHostAddress>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QTcpServer>
#include <QTcpSocket>

#include <csignal>
#include <filesystem>

namespace twtest {

using namespace xdesktop;

void DesktopSession::SetUp() {
    if (qEnvironmentVariableIsEmpty("DISPLAY") || qEnvironmentVariableIsEmpty("TALLYWAVE_EXECUTABLE")) {
        GTEST_SKIP() << "needs the X session and program that scripts/test-desktop.sh provides";
    }
    namespace fs = std::filesystem;
    const fs::path exe(qEnvironmentVariable("TALLYWAVE_EXECUTABLE").toStdString());
    fs::copy_file(exe, dir.path() / "tallywave");
    std::error_code ec;
    for (const char* name : {"tallywave-gui", "wakeup.wav"}) { // the window program the command hands over to
        fs::copy_file(exe.parent_path() / name, dir.path() / name, ec);
    }
}

void DesktopSession::TearDown() {
    for (auto& program : m_programs) {
        endProgram(*program);
    }
    stopTray();
}

void DesktopSession::startTray() {
    m_tray = std::make_unique<QProcess>();
    m_tray->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_tray->start("trayer", {"--edge", "bottom", "--align", "right", "--widthtype", "request", "--height", "24",
                             "--SetDockType", "true", "--transparent", "false", "--tint", "0xdddddd"});
    ASSERT_TRUE(m_tray->waitForStarted()) << "trayer could not be started";
    ASSERT_TRUE(eventually(
        [] {
            return !run("xdotool", {"search", "--onlyvisible", "--class", "^trayer$"}).empty();
        },
        kTimeoutMs))
        << "the notification area never showed";
}

void DesktopSession::stopTray() {
    if (m_tray && m_tray->state() != QProcess::NotRunning) {
        m_tray->terminate();
        if (!m_tray->waitForFinished(5000)) {
            m_tray->kill();
            m_tray->waitForFinished();
        }
    }
    m_tray.reset();
}

QProcess& DesktopSession::startProgram(const QStringList& args) {
    auto program = std::make_unique<QProcess>();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "xcb");
    program->setProcessEnvironment(env);
    program->setProcessChannelMode(QProcess::ForwardedChannels);
    program->start(QString::fromStdString(dir.file("tallywave")), args);
    EXPECT_TRUE(program->waitForStarted());
    m_programs.push_back(std::move(program));
    return *m_programs.back();
}

int DesktopSession::endProgram(QProcess& program) {
    if (program.state() != QProcess::NotRunning) {
        ::kill(static_cast<pid_t>(program.processId()), SIGTERM);
        if (!program.waitForFinished(kTimeoutMs)) {
            program.kill();
            program.waitForFinished();
            return -1;
        }
    }
    return program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -1;
}

std::optional<Rect> DesktopSession::waitForTrayIcon() {
    std::optional<Rect> icon;
    eventually([&] { return (icon = trayIcon(kTrayClass)).has_value(); }, kTimeoutMs);
    return icon;
}

std::optional<unsigned long> DesktopSession::viewableWindow(const QString& title) {
    const auto windows = viewableWindows(QLatin1Char('^') + QRegularExpression::escape(title) + QLatin1Char('$'));
    return windows.empty() ? std::nullopt : std::optional(windows.front());
}

std::optional<unsigned long> DesktopSession::waitForWindow(const QString& title) {
    std::optional<unsigned long> found;
    eventually([&] { return (found = viewableWindow(title)).has_value(); });
    return found;
}

bool DesktopSession::waitUntilNoWindow(const QString& title) {
    const QString exact = QLatin1Char('^') + QRegularExpression::escape(title) + QLatin1Char('$');
    return eventually([&] { return viewableWindows(exact).empty(); }, kTimeoutMs);
}

void DesktopSession::loopbackTraffic(qint64 bytes) {
    QTcpServer server;
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost));
    QTcpSocket client;
    client.connectToHost(QHostAddress::LocalHost, server.serverPort());
    ASSERT_TRUE(client.waitForConnected(5000));
    ASSERT_TRUE(server.waitForNewConnection(5000));
    QTcpSocket* peer = server.nextPendingConnection();
    const QByteArray chunk(16 * 1024, 'x');
    for (qint64 sent = 0; sent < bytes; sent += chunk.size()) {
        client.write(chunk);
        client.waitForBytesWritten(5000);
        while (peer->waitForReadyRead(50)) {
            peer->readAll();
        }
    }
}

void DesktopSession::writeSettings(const std::string& extra) const {
    dir.write("settings.txt", "[General]\r\nrefreshCombo=0\r\nbytesText=1000\r\nbytesCombo=2\r\n"
                              "[Interfaces]\r\nallInterfaces=0\r\nNumInterfaces=1\r\nRow1a=Interface\r\nRow1b=lo\r\n" +
                                  extra);
}

QString DesktopSession::screenshotPath(const QString& name) {
    QString folder = qEnvironmentVariable("TALLYWAVE_SCREENSHOT_DIR");
    if (folder.isEmpty()) {
        folder = QDir::tempPath() + QStringLiteral("/tallywave-desktop-screenshots");
    }
    QDir().mkpath(folder);
    return folder + QLatin1Char('/') + name;
}

} // namespace twtest
