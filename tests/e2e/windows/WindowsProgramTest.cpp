// The Windows build, tallywave.exe with its DLLs as the portable zip ships it, run under Wine: the console report,
// exact counting of real traffic saved at the end of the Windows session, and the main window on a display.
#include "e2e/NetNamespace.h"
#include "e2e/SavedSessions.h"
#include "e2e/TallywaveProcessWait.h"
#include "e2e/windows/WineCopy.h"

#include "history/clsSessionData.h"

#include <QDate>
#include <QDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>

using twtest::NetNamespace;
using twtest::WineCopy;

namespace {

std::string today(const char* time) {
    return QDate::currentDate().toString("yyyy-MM-dd").toStdString() + " " + time;
}

bool hasDisplay() {
    return !qEnvironmentVariable("DISPLAY").isEmpty();
}

std::vector<tw::clsSessionData> savedSessions(const WineCopy& copy) {
    return twtest::savedSessions(copy.dir().file("datasource.txt"));
}

// The first top-level window whose title is exactly `title`, as the X server sees it ("" if none). Wine gives hidden
// windows an X window too, unmapped. xdotool's complaints share the output: only a line of digits is an id.
std::string findWindow(const QString& title, bool visibleOnly) {
    std::string out;
    twtest::shell(std::string("xdotool search ") + (visibleOnly ? "--onlyvisible " : "") + "--name '^" +
                      title.toStdString() + "$'",
                  &out);
    std::istringstream lines(out);
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && std::all_of(line.begin(), line.end(), [](char c) { return c >= '0' && c <= '9'; })) {
            return line;
        }
    }
    return {};
}

class WindowsProgram : public ::testing::Test {
protected:
    void SetUp() override {
        std::string why;
        if (!twtest::windowsProgramUsable(&why)) {
            GTEST_SKIP() << why;
        }
    }
};

} // namespace

TEST_F(WindowsProgram, ReportPrintsTodayAndMonthFromTheHistoryBesideTheExe) {
    WineCopy copy;
    const std::string lastYear = std::to_string(QDate::currentDate().year() - 1) + "-01-10 10:00";
    copy.dir().write("datasource.txt",
                     "'header 1\r\n'Source file for Tallywave\r\n'Do not change\r\n" + today("08:00") + ";" +
                         today("09:00") + ";1000;200;10;5;\r\n" + today("10:00") + ";broken;x;y;\r\n" + lastYear + ";" +
                         lastYear + ";50;50;0;0;\r\n" + today("11:00") + ";" + today("11:30") + ";24;800;1;2;\n");
    std::string out;
    ASSERT_EQ(copy.runToEnd({"--report", "--json"}, &out), 0);
    // The C runtime writes text mode: CR LF on Windows.
    EXPECT_EQ(out, "{\"today\":{\"received\":1024,\"sent\":1000},\"month\":{\"received\":1024,\"sent\":1000}}\r\n");
}

// The program runs in namespace `ns` (all connections, 250 ms refresh), hidden in the tray; its peer sends and
// receives over a veth pair. Ending the Windows session saves the session without asking.
TEST_F(WindowsProgram, EndOfTheWindowsSessionSavesExactlyTheKernelsCounterDeltas) {
    std::string why;
    if (!twtest::netNamespacesUsable(&why)) {
        GTEST_SKIP() << why;
    }
    if (!hasDisplay()) {
        GTEST_SKIP() << "needs an X display: without one Wine creates no windows to tell of the session's end";
    }
    NetNamespace ns("twwp");
    NetNamespace peer("twwq");
    twtest::connectVeth(ns, "tw0", "10.78.0.1", peer, "tw1", "10.78.0.2");
    WineCopy copy({"ip", "netns", "exec", QString::fromStdString(ns.name())});
    copy.dir().write("settings.txt", "[General]\r\nrefreshCombo=0\r\n[Interfaces]\r\nallInterfaces=1\r\n");

    const auto rx0 = ns.counter("tw0", "rx_bytes");
    const auto tx0 = ns.counter("tw0", "tx_bytes");
    QProcess program;
    // Started in the tray, the program shows no window; the hidden one it keeps to hear of the session's end comes
    // after the engine. Then a few passes.
    ASSERT_TRUE(copy.startUntil(program, {"-winStartUp"}, [] { return !findWindow("Tallywave", false).empty(); }))
        << program.readAllStandardError().toStdString();
    twtest::waitFor([] { return false; }, 1500);

    ASSERT_TRUE(twtest::sendUdpFrom(peer, "10.78.0.1", 9, 300, 1000));
    ASSERT_TRUE(twtest::sendUdpFrom(ns, "10.78.0.2", 9, 120, 700));
    twtest::waitFor([] { return false; }, 300); // part of the traffic is taken only by the final pass
    ASSERT_TRUE(copy.endSession());
    ASSERT_EQ(WineCopy::waitForEnd(program), 0);

    const auto rx = ns.counter("tw0", "rx_bytes") - rx0;
    const auto tx = ns.counter("tw0", "tx_bytes") - tx0;
    ASSERT_GT(rx, 300u * 1000u);
    ASSERT_GT(tx, 120u * 700u);
    const auto saved = savedSessions(copy);
    ASSERT_EQ(saved.size(), 1u) << copy.dir().read("datasource.txt");
    EXPECT_EQ(saved[0].downloaded, static_cast<double>(rx));
    EXPECT_EQ(saved[0].uploaded, static_cast<double>(tx));
    EXPECT_FALSE(std::filesystem::exists(copy.dir().file("datasource.journal")));
}

// Saved as screenshots/windows-main-window.png under $TALLYWAVE_SCREENSHOT_DIR (docs/ is made this way), else under
// the build folder.
TEST_F(WindowsProgram, MainWindowAppearsOnTheDisplay) {
    if (!hasDisplay()) {
        GTEST_SKIP() << "needs an X display";
    }
    WineCopy copy;
    QProcess program;
    std::string window;
    ASSERT_TRUE(copy.startUntil(program, {}, [&] { return !(window = findWindow("Tallywave", true)).empty(); }))
        << "no window titled Tallywave: " << program.readAllStandardError().toStdString();

    QString dir = qEnvironmentVariable("TALLYWAVE_SCREENSHOT_DIR");
    if (dir.isEmpty()) {
        dir = qEnvironmentVariable("TALLYWAVE_TEST_BINARY_DIR", QDir::tempPath()) + "/screenshots";
    }
    QDir().mkpath(dir);
    const std::string picture = (dir + "/windows-main-window.png").toStdString();
    twtest::waitFor([] { return false; }, 1500); // the first passes fill the labels
    std::string out;
    EXPECT_TRUE(twtest::shell("import -window " + window + " " + picture, &out)) << out;
    EXPECT_GT(std::filesystem::file_size(picture), 10000u);

    ASSERT_TRUE(copy.endSession());
    EXPECT_EQ(WineCopy::waitForEnd(program), 0);
}
