#pragma once

#include "support/TempDir.h"

#include <QProcess>
#include <QString>
#include <QStringList>

#include <string>

namespace twtest {

// A portable copy of the real program in a temporary folder (its files live beside it), started offscreen.
class TallywaveCopy {
public:
    TallywaveCopy();

    const TempDir& dir() const { return m_dir; }
    QString exePath() const;

    // Runs the program to its end with the arguments; returns the exit code (-1 if it did not end in time).
    int runToEnd(const QStringList& args, std::string* out = nullptr, std::string* err = nullptr,
                 int timeoutMs = 20000) const;

    // Starts the program and leaves it running. `wrapper` (e.g. {"ip","netns","exec","ns1"}) prefixes the command.
    void start(QProcess& process, const QStringList& args, const QStringList& wrapper = {}) const;

private:
    TempDir m_dir;
};

// Sends a signal to a running process and waits for it to end; the exit code, or -1 if it did not end in time.
int signalAndWait(QProcess& process, int signal, int timeoutMs = 20000);

// Waits until the predicate holds, processing events, up to the timeout. True when it held.
template <typename Pred> bool waitFor(Pred pred, int timeoutMs = 10000);

} // namespace twtest

#include "e2e/TallywaveProcessWait.h"
