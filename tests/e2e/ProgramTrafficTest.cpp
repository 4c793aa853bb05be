#include "e2e/NetNamespace.h"
#include "e2e/SavedSessions.h"
#include "e2e/TallywaveProcess.h"

#include "common/TextFile.h"
#include "history/clsSessionData.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <random>

using twtest::NetNamespace;
using twtest::TallywaveCopy;

namespace {

// The program in namespace `ns` (all connections monitored, 250 ms refresh), a peer namespace behind a veth pair.
class ProgramTraffic : public ::testing::Test {
protected:
    void SetUp() override {
        std::string why;
        if (!twtest::netNamespacesUsable(&why)) {
            GTEST_SKIP() << why;
        }
        ns = std::make_unique<NetNamespace>("twp");
        peer = std::make_unique<NetNamespace>("twq");
        twtest::connectVeth(*ns, "tw0", "10.77.0.1", *peer, "tw1", "10.77.0.2");
        copy.dir().write("settings.txt", "[General]\r\nrefreshCombo=0\r\n[Interfaces]\r\nallInterfaces=1\r\n");
    }

    void startProgram() {
        rx0 = ns->counter("tw0", "rx_bytes");
        tx0 = ns->counter("tw0", "tx_bytes");
        copy.start(program, {"-winStartUp"}, {"ip", "netns", "exec", QString::fromStdString(ns->name())});
        ASSERT_EQ(program.state(), QProcess::Running);
        twtest::waitFor([] { return false; }, 1500); // a few passes: the engine has its baselines
    }

    void sendBothWays() {
        ASSERT_TRUE(twtest::sendUdpFrom(*peer, "10.77.0.1", 9, 300, 1000));
        ASSERT_TRUE(twtest::sendUdpFrom(*ns, "10.77.0.2", 9, 120, 700));
    }

    // The running session's amounts in the journal; zeros when it holds none.
    std::pair<double, double> runningInJournal() const {
        const auto lines =
            tw::readTextLines(copy.dir().file("datasource.journal")).value_or(std::vector<std::string>{});
        for (const std::string& line : lines) {
            if (line.starts_with("running=")) {
                if (const auto s = tw::clsSessionData::parse(line.substr(8))) {
                    return {s->downloaded, s->uploaded};
                }
            }
        }
        return {0, 0};
    }

    // Single datagrams until the program counts (a checkpoint holds traffic: it has its baselines), then what its
    // checkpoints hold once they stop changing.
    std::pair<double, double> waitUntilCounting() const {
        std::pair<double, double> seen{0, 0};
        for (int i = 0; i < 100 && seen.first == 0; ++i) {
            twtest::sendUdpFrom(*peer, "10.77.0.1", 9, 1, 100);
            twtest::waitFor(
                [&] {
                    seen = runningInJournal();
                    return seen.first > 0;
                },
                300);
        }
        for (int i = 0; i < 20; ++i) {
            twtest::waitFor([] { return false; }, 400);
            const auto now = runningInJournal();
            if (now == seen) {
                break;
            }
            seen = now;
        }
        return seen;
    }

    std::vector<tw::clsSessionData> sessions() const {
        return twtest::savedSessions(copy.dir().file("datasource.txt"));
    }

    TallywaveCopy copy;
    std::unique_ptr<NetNamespace> ns;
    std::unique_ptr<NetNamespace> peer;
    QProcess program;
    std::uint64_t rx0 = 0;
    std::uint64_t tx0 = 0;
};

} // namespace

TEST_F(ProgramTraffic, SigtermWritesTheSessionWithExactlyTheKernelsCounterDeltas) {
    startProgram();
    sendBothWays();
    twtest::waitFor([] { return false; }, 300); // part of the traffic is taken only by the final pass
    ASSERT_EQ(twtest::signalAndWait(program, SIGTERM), 0);

    const auto rx = ns->counter("tw0", "rx_bytes") - rx0;
    const auto tx = ns->counter("tw0", "tx_bytes") - tx0;
    ASSERT_GT(rx, 300u * 1000u);
    ASSERT_GT(tx, 120u * 700u);
    const auto saved = sessions();
    ASSERT_EQ(saved.size(), 1u) << copy.dir().read("datasource.txt");
    EXPECT_EQ(saved[0].downloaded, static_cast<double>(rx));
    EXPECT_EQ(saved[0].uploaded, static_cast<double>(tx));
}

TEST_F(ProgramTraffic, AKilledSessionIsRecoveredFromItsCheckpointAtTheNextStart) {
    qputenv("TALLYWAVE_CHECKPOINT_MS", "500");
    startProgram();
    sendBothWays();
    twtest::waitFor([] { return false; }, 2000); // at least one checkpoint after the traffic
    const auto rx = ns->counter("tw0", "rx_bytes") - rx0;
    const auto tx = ns->counter("tw0", "tx_bytes") - tx0;
    twtest::signalAndWait(program, SIGKILL);
    qunsetenv("TALLYWAVE_CHECKPOINT_MS");
    EXPECT_TRUE(sessions().empty()) << "nothing reached the history before the kill";

    QProcess again;
    copy.start(again, {"-winStartUp"});
    twtest::waitFor([] { return false; }, 1500);
    ASSERT_EQ(twtest::signalAndWait(again, SIGTERM), 0);

    const auto saved = sessions();
    ASSERT_GE(saved.size(), 1u) << copy.dir().read("datasource.txt");
    EXPECT_EQ(saved[0].downloaded, static_cast<double>(rx));
    EXPECT_EQ(saved[0].uploaded, static_cast<double>(tx));
    EXPECT_FALSE(std::filesystem::exists(copy.dir().path() / "datasource.journal"));
}

// SIGKILL at random moments, over and over: during start-up (while the previous run's journal is being added to the
// history), between passes and during checkpoints. Every byte a checkpoint took must be in the history exactly once:
// the totals equal what the checkpoints held, each burst counted as the kernel's counter delta, and never more than
// the kernel counted in all.
TEST_F(ProgramTraffic, ThirtyKillsAtRandomMomentsLoseNothingCheckpointedAndCountNothingTwice) {
    qputenv("TALLYWAVE_CHECKPOINT_MS", "100");
    const auto seed = static_cast<unsigned>(std::chrono::steady_clock::now().time_since_epoch().count());
    std::mt19937 random(seed);
    SCOPED_TRACE("seed " + std::to_string(seed));
    auto between = [&random](int lowMs, int highMs) {
        return std::uniform_int_distribution<int>(lowMs, highMs)(random);
    };
    auto pause = [](int ms) { twtest::waitFor([] { return false; }, ms); };

    const auto rxStart = ns->counter("tw0", "rx_bytes");
    const auto txStart = ns->counter("tw0", "tx_bytes");
    std::pair<double, double> checkpointed{0, 0}; // what the checkpoints held at the kills
    for (int kill = 0; kill < 30; ++kill) {
        QProcess running;
        copy.start(running, {"-winStartUp"}, {"ip", "netns", "exec", QString::fromStdString(ns->name())});
        ASSERT_EQ(running.state(), QProcess::Running);
        if (kill % 3 == 0) {
            // In the middle of start-up: the last run's sessions may be halfway into the history.
            pause(between(0, 400));
        } else {
            const auto counting = waitUntilCounting();
            const auto rxBefore = ns->counter("tw0", "rx_bytes");
            const auto txBefore = ns->counter("tw0", "tx_bytes");
            ASSERT_TRUE(twtest::sendUdpFrom(*peer, "10.77.0.1", 9, between(1, 200), between(100, 1400)));
            ASSERT_TRUE(twtest::sendUdpFrom(*ns, "10.77.0.2", 9, between(1, 100), between(100, 1400)));
            const std::pair<double, double> expected{
                counting.first + static_cast<double>(ns->counter("tw0", "rx_bytes") - rxBefore),
                counting.second + static_cast<double>(ns->counter("tw0", "tx_bytes") - txBefore)};
            // The kill comes after a checkpoint has taken the burst, at a random moment among the checkpoints that
            // follow with nothing new.
            ASSERT_TRUE(twtest::waitFor([&] { return runningInJournal() == expected; }))
                << "the burst never reached a checkpoint exactly";
            pause(between(0, 600));
            checkpointed.first += expected.first;
            checkpointed.second += expected.second;
        }
        twtest::signalAndWait(running, SIGKILL);
    }
    qunsetenv("TALLYWAVE_CHECKPOINT_MS");

    QProcess last; // adds what the last run left, then ends cleanly
    copy.start(last, {"-winStartUp"}, {"ip", "netns", "exec", QString::fromStdString(ns->name())});
    pause(1000);
    ASSERT_EQ(twtest::signalAndWait(last, SIGTERM), 0);

    double down = 0;
    double up = 0;
    for (const auto& s : sessions()) {
        down += s.downloaded;
        up += s.uploaded;
    }
    EXPECT_EQ(down, checkpointed.first) << copy.dir().read("datasource.txt");
    EXPECT_EQ(up, checkpointed.second);
    EXPECT_LE(down, static_cast<double>(ns->counter("tw0", "rx_bytes") - rxStart));
    EXPECT_LE(up, static_cast<double>(ns->counter("tw0", "tx_bytes") - txStart));
    EXPECT_FALSE(std::filesystem::exists(copy.dir().path() / "datasource.journal"));
}
