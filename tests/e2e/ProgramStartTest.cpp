#include "e2e/TallywaveProcess.h"

#include <gtest/gtest.h>

#include <QDate>
#include <QProcessEnvironment>
#include <csignal>
#include <filesystem>

using twtest::TallywaveCopy;

namespace {

// The running copy's instance lock: the copy's runtime folder is its own folder.
bool holdsLock(const TallywaveCopy& copy) {
    for (const auto& entry : std::filesystem::directory_iterator(copy.dir().path())) {
        const std::string name = entry.path().filename().string();
        if (name.starts_with("tallywave-") && name.ends_with(".lock")) {
            return true;
        }
    }
    return false;
}

std::string today(const char* time) {
    return QDate::currentDate().toString("yyyy-MM-dd").toStdString() + " " + time;
}

} // namespace

TEST(ProgramStart, ReportPrintsTodayAndMonthFromTheHistoryBesideACopiedExecutable) {
    TallywaveCopy copy;
    const std::string lastYear = std::to_string(QDate::currentDate().year() - 1) + "-01-10 10:00";
    copy.dir().write("datasource.txt", "'header 1\r\n'Source file for Tallywave\r\n'Do not change\r\n" +
                                           today("08:00") + ";" + today("09:00") + ";1000;200;10;5;\r\n" + "'" +
                                           today("08:00") + ";" + today("09:00") + ";7;7;0;0;\r\n" + today("10:00") +
                                           ";broken;x;y;\r\n" + lastYear + ";" + lastYear + ";50;50;0;0;\r\n" +
                                           today("11:00") + ";" + today("11:30") + ";24;800;1;2;\n");
    std::string out;
    std::string err;
    ASSERT_EQ(copy.runToEnd({"--report", "--json"}, &out, &err), 0) << err;
    EXPECT_EQ(out, "{\"today\":{\"received\":1024,\"sent\":1000},\"month\":{\"received\":1024,\"sent\":1000}}\n");

    ASSERT_EQ(copy.runToEnd({"--report"}, &out, &err), 0) << err;
    EXPECT_NE(out.find("1.0 kB"), std::string::npos) << out;
}

TEST(ProgramStart, HelpAndVersionNeedNoDisplay) {
    TallywaveCopy copy;
    std::string out;
    EXPECT_EQ(copy.runToEnd({"--version"}, &out), 0);
    EXPECT_NE(out.find("Tallywave"), std::string::npos);
    EXPECT_EQ(copy.runToEnd({"--help"}, &out), 0);
    EXPECT_NE(out.find("--report"), std::string::npos);
    EXPECT_NE(out.find("-winStartUp"), std::string::npos);
}

TEST(ProgramStart, TheCommandLoadsNoWindowLibrariesAndSaysSoWhenItsWindowProgramIsMissing) {
    TallywaveCopy copy;
    // The dynamic loader lists what the command would load, and runs nothing.
    QProcess loader;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("LD_TRACE_LOADED_OBJECTS", "1");
    loader.setProcessEnvironment(env);
    loader.start(copy.exePath(), {"--version"});
    ASSERT_TRUE(loader.waitForFinished(20000));
    const std::string libraries = loader.readAllStandardOutput().toStdString();
    EXPECT_NE(libraries.find("libc.so"), std::string::npos) << libraries;
    EXPECT_EQ(libraries.find("libQt6"), std::string::npos) << libraries;

    std::filesystem::remove(copy.dir().path() / "tallywave-gui");
    std::string err;
    EXPECT_EQ(copy.runToEnd({"-debug"}, nullptr, &err), 127);
    EXPECT_NE(err.find("tallywave-gui is missing"), std::string::npos) << err;
}

TEST(ProgramStart, SecondCopyOnTheSameFilesHandsOverAndEnds) {
    TallywaveCopy copy;
    QProcess first;
    copy.start(first, {"-winStartUp"});
    ASSERT_TRUE(twtest::waitFor([&] { return holdsLock(copy); })) << "the first copy never took its lock";
    EXPECT_EQ(copy.runToEnd({}), 0) << "the second copy must end quietly";
    EXPECT_EQ(first.state(), QProcess::Running) << "the first copy keeps running";
    EXPECT_EQ(twtest::signalAndWait(first, SIGTERM), 0) << "SIGTERM ends the program cleanly";
}

TEST(ProgramStart, ASignalDuringStartUpEndsTheProgramThroughItsShutdownPath) {
    TallywaveCopy copy;
    QProcess p;
    // SIGTERM sent before the program has run a line of its own: it waits, blocked, until start-up takes it.
    p.setChildProcessModifier([] {
        sigset_t set;
        sigemptyset(&set);
        sigaddset(&set, SIGTERM);
        sigprocmask(SIG_BLOCK, &set, nullptr);
        raise(SIGTERM);
    });
    copy.start(p, {"-winStartUp"});
    ASSERT_TRUE(p.waitForFinished(20000)) << "the signal was never acted on";
    EXPECT_EQ(p.exitStatus(), QProcess::NormalExit) << "killed by the signal instead of leaving";
    EXPECT_EQ(p.exitCode(), 0);
    EXPECT_FALSE(holdsLock(copy)) << "a clean end removes the lock file";
}

TEST(ProgramStart, ACrashedCopyDoesNotBlockTheNextStart) {
    TallywaveCopy copy;
    QProcess first;
    copy.start(first, {"-winStartUp"});
    ASSERT_TRUE(twtest::waitFor([&] { return holdsLock(copy); }));
    twtest::signalAndWait(first, SIGKILL);
    ASSERT_TRUE(holdsLock(copy)) << "a killed copy leaves its lock file behind, but no lock on it";
    QProcess second;
    copy.start(second, {"-winStartUp"});
    twtest::waitFor([] { return false; }, 1500);
    EXPECT_EQ(second.state(), QProcess::Running) << "the stale lock of the killed copy must be taken over";
    EXPECT_EQ(twtest::signalAndWait(second, SIGTERM), 0);
    EXPECT_FALSE(holdsLock(copy)) << "a copy that ends cleanly removes its lock file";
}
