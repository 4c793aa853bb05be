#include "e2e/NetNamespace.h"

#include "platform/IcmpEcho.h"
#include "platform/fake/FakeResolver.h"
#include "tools/ui/frmTraceroute.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <gmock/gmock.h>

#include <fcntl.h>
#include <netinet/in.h>
#include <sched.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

using twtest::NetNamespace;

namespace {

// client 198.18.1.2 -- 198.18.1.1 router1 198.18.2.1 -- 198.18.2.2 router2 198.18.3.1 -- 198.18.3.2 target
// The client has routes into 198.18.0.0/16 only, so nothing it sends can leave the chain.
class TracerouteChain : public testing::Test {
protected:
    void SetUp() override {
        std::string why;
        if (!twtest::netNamespacesUsable(&why)) {
            GTEST_SKIP() << why;
        }
        client = std::make_unique<NetNamespace>("twtc");
        router1 = std::make_unique<NetNamespace>("twtr");
        router2 = std::make_unique<NetNamespace>("twts");
        target = std::make_unique<NetNamespace>("twtt");
        twtest::connectVeth(*client, "c0", "198.18.1.2", *router1, "r1a", "198.18.1.1");
        twtest::connectVeth(*router1, "r1b", "198.18.2.1", *router2, "r2a", "198.18.2.2");
        twtest::connectVeth(*router2, "r2b", "198.18.3.1", *target, "t0", "198.18.3.2");
        for (NetNamespace* router : {router1.get(), router2.get()}) {
            ASSERT_TRUE(router->exec("sysctl -qw net.ipv4.ip_forward=1 net.ipv4.icmp_ratelimit=0"));
        }
        ASSERT_TRUE(client->exec("ip route add 198.18.0.0/16 via 198.18.1.1"));
        ASSERT_TRUE(router1->exec("ip route add 198.18.3.0/24 via 198.18.2.2"));
        ASSERT_TRUE(router2->exec("ip route add 198.18.1.0/24 via 198.18.2.1"));
        ASSERT_TRUE(target->exec("ip route add 198.18.0.0/16 via 198.18.3.1"));
    }

    // The window's ICMP endpoints are opened inside the client namespace (a socket stays in the namespace it was
    // created in, whichever thread uses it).
    tw::TraceRoute::EchoOpener clientOpener() {
        return [name = client->name(), this]() -> std::unique_ptr<tw::IcmpEcho> {
            std::unique_ptr<tw::IcmpEcho> echo;
            std::thread([&] {
                const int fd = ::open(("/run/netns/" + name).c_str(), O_RDONLY | O_CLOEXEC);
                if (fd >= 0 && ::setns(fd, CLONE_NEWNET) == 0) {
                    echo = tw::openIcmpEcho();
                }
                if (fd >= 0) {
                    ::close(fd);
                }
            }).join();
            ++opened;
            return echo;
        };
    }

    // Router `ns` drops the time-exceeded messages it would send, counting them.
    static void dropTimeExceeded(const NetNamespace& ns) {
        ASSERT_TRUE(ns.exec("nft add table ip twdrop"));
        ASSERT_TRUE(ns.exec("nft 'add chain ip twdrop out { type filter hook output priority 0; }'"));
        ASSERT_TRUE(ns.exec("nft add rule ip twdrop out icmp type time-exceeded counter drop"));
    }
    static int droppedCount(const NetNamespace& ns) {
        std::string out;
        ns.exec("nft list table ip twdrop", &out);
        const auto at = out.find("packets ");
        return at == std::string::npos ? -1 : std::atoi(out.c_str() + at + 8);
    }

    struct Trace {
        QStringList log;
        std::vector<QStringList> rows;
    };

    Trace run(const QString& tries, const QString& maxHops, const QString& timeout) {
        tw::frmTraceroute window(nullptr, std::make_shared<tw::FakeResolver>(), clientOpener());
        window.findChild<QCheckBox*>("chkResolve")->setChecked(false);
        window.findChild<QLineEdit*>("Text5")->setText(tries);
        window.findChild<QLineEdit*>("Text2")->setText(maxHops);
        window.findChild<QLineEdit*>("timeoutText")->setText(timeout);
        window.setAddress("198.18.3.2");
        auto* button = window.findChild<QPushButton*>("Command1");
        button->click();
        EXPECT_TRUE(QTest::qWaitFor([&] { return !window.isTracing(); }, 40000));
        EXPECT_EQ(button->text(), "Start");
        Trace trace;
        trace.log = window.findChild<QPlainTextEdit*>("Text4")->toPlainText().split('\n', Qt::SkipEmptyParts);
        auto* list = window.findChild<QTreeWidget*>("ListView1");
        for (int i = 0; i < list->topLevelItemCount(); ++i) {
            QStringList row;
            for (int c = 0; c < 4; ++c) {
                row << list->topLevelItem(i)->text(c);
            }
            trace.rows.push_back(row);
        }
        return trace;
    }

    static QStringList column(const Trace& t, int c) {
        QStringList out;
        for (const auto& row : t.rows) {
            out << row[c];
        }
        return out;
    }

    // Whether this process may open an unprivileged ping socket in the client namespace.
    bool pingSocketAllowed() {
        bool allowed = false;
        std::thread([&] {
            const int fd = ::open(("/run/netns/" + client->name()).c_str(), O_RDONLY | O_CLOEXEC);
            if (fd >= 0 && ::setns(fd, CLONE_NEWNET) == 0) {
                const int s = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, IPPROTO_ICMP);
                allowed = s >= 0;
                if (s >= 0) {
                    ::close(s);
                }
            }
            if (fd >= 0) {
                ::close(fd);
            }
        }).join();
        return allowed;
    }

    std::unique_ptr<NetNamespace> client, router1, router2, target;
    int opened = 0;
};

} // namespace

TEST_F(TracerouteChain, ARawSocketTraceListsBothRoutersAndTheTarget) {
    ASSERT_FALSE(pingSocketAllowed()); // a new namespace allows no group ping sockets: the raw socket is used
    const Trace t = run("5", "30", "1000");
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(column(t, 0), (QStringList{"1", "2", "3"}));
    EXPECT_EQ(column(t, 2), (QStringList{"198.18.1.1", "198.18.2.2", "198.18.3.2"}));
    for (const QString& time : column(t, 1)) {
        EXPECT_TRUE(time == "<1 ms" || time.endsWith(" ms")) << time.toStdString();
    }
    EXPECT_EQ(t.log, (QStringList{"Starting traceroute to 198.18.3.2.", "Traceroute completed."}));
}

TEST_F(TracerouteChain, APingSocketTraceGetsTheRoutersFromTheErrorQueue) {
    ASSERT_TRUE(client->exec("sysctl -qw 'net.ipv4.ping_group_range=0 2147483647'"));
    ASSERT_TRUE(pingSocketAllowed());
    const Trace t = run("5", "30", "1000");
    EXPECT_EQ(column(t, 2), (QStringList{"198.18.1.1", "198.18.2.2", "198.18.3.2"}));
    EXPECT_EQ(t.log.last(), "Traceroute completed.");
}

TEST_F(TracerouteChain, ARouterThatStaysSilentTimesOutAfterTriesPerHopAndTheTraceGoesOn) {
    dropTimeExceeded(*router2);
    const Trace t = run("3", "30", "300");
    EXPECT_EQ(column(t, 2), (QStringList{"198.18.1.1", "Request timed out.", "198.18.3.2"}));
    EXPECT_EQ(t.rows[1][1], "*");
    EXPECT_EQ(t.log, (QStringList{"Starting traceroute to 198.18.3.2.", "Could not receive response from hop 2.",
                                  "Traceroute completed."}));
    EXPECT_EQ(droppedCount(*router2), 3);
}

TEST_F(TracerouteChain, MaxHopsEndsATraceShortOfTheTarget) {
    const Trace t = run("5", "2", "1000");
    EXPECT_EQ(column(t, 2), (QStringList{"198.18.1.1", "198.18.2.2"}));
    EXPECT_EQ(t.log.last(), "Max hops reached - aborting traceroute.");
}

TEST_F(TracerouteChain, OutOfRangeTriesAndHopsAreBoundedAndLogged) {
    dropTimeExceeded(*router1);
    const Trace t = run("0", "1", "200");
    EXPECT_EQ(t.log,
              (QStringList{"Tries/hop has been increased to 1.", "Starting traceroute to 198.18.3.2.",
                           "Could not receive response from hop 1.", "Max hops reached - aborting traceroute."}));
    EXPECT_EQ(droppedCount(*router1), 1);
}
