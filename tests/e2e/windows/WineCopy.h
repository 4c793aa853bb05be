#pragma once

#include "support/TempDir.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <functional>
#include <string>

namespace twtest {

// The Windows build under Wine. The environment names what the Windows test run prepared:
//   TALLYWAVE_WINDOWS_PROGRAM  the unpacked portable folder (tallywave.exe with its DLLs, help and sound)
//   WINEPREFIX                 a Wine prefix set up beforehand (wineboot)
//   TALLYWAVE_WINE, TALLYWAVE_WINESERVER  the Wine loader and server (default: Debian's /usr/lib/wine)
// True when all of it is there; `why` says what is missing.
bool windowsProgramUsable(std::string* why);

// A portable copy of the Windows program in a temporary folder, and the Wine server it runs under. The server is
// started where the program runs (`wrapper`, e.g. {"ip", "netns", "exec", "ns1"}: Wine reads the interface table in
// the server's own processes) with the environment's DISPLAY (without one Wine creates no windows), and stopped at
// the end.
class WineCopy {
public:
    explicit WineCopy(QStringList wrapper = {});
    ~WineCopy();
    WineCopy(const WineCopy&) = delete;
    WineCopy& operator=(const WineCopy&) = delete;

    const TempDir& dir() const { return m_dir; }

    // Runs tallywave.exe to its end; the exit code, or -1 if it did not end in time.
    int runToEnd(const QStringList& args, std::string* out = nullptr, int timeoutMs = 60000) const;
    // Starts tallywave.exe and leaves it running; `extra` is added to its environment.
    void start(QProcess& process, const QStringList& args, const QProcessEnvironment& extra = {}) const;
    // Starts tallywave.exe and waits until `ready` holds. Wine here now and then leaves a program's start hanging
    // without any window (seen in about one start of ten, cause not found): then the server is restarted and the
    // program started once more, and what hung is told on stderr. False when the second start is not ready either.
    bool startUntil(QProcess& process, const QStringList& args, const std::function<bool()>& ready,
                    int timeoutMs = 45000) const;
    // Ends the Windows session as a log-off or shutdown does: every window gets WM_QUERYENDSESSION, then
    // WM_ENDSESSION. True when Wine accepted the request.
    bool endSession() const;

    // Waits for a started program to end; its exit code, or -1 if it did not end in time (it is then killed).
    static int waitForEnd(QProcess& process, int timeoutMs = 60000);

private:
    QProcessEnvironment environment() const;
    void startServer() const;
    void stopServer() const;
    void launch(QProcess& process, const QStringList& command, const QProcessEnvironment& env) const;

    TempDir m_dir;
    QStringList m_wrapper;
};

} // namespace twtest
