// The Linux way to disconnect at the limit, for real: links of a network namespace set down over rtnetlink, as the
// program does when NetworkManager does not hold them.
#include "e2e/NetNamespace.h"

#include "measure/IPData.h"
#include "platform/LinkDisconnector.h"
#include "platform/NetworkTables.h"

#include <gtest/gtest.h>

#include <linux/capability.h>
#include <sys/syscall.h>
#include <thread>
#include <unistd.h>

using namespace tw;

namespace {

// Whether the link is administratively up, as `ip` tells it inside the namespace.
bool isUp(const twtest::NetNamespace& ns, const std::string& link) {
    std::string out;
    ns.exec("ip -o link show dev " + link, &out);
    return out.find("<") != std::string::npos &&
           out.substr(out.find('<'), out.find('>') - out.find('<')).find(",UP") != std::string::npos;
}

// Runs `work` on a thread inside the namespace (setns() moves only the calling thread, and the netlink socket keeps
// the namespace it was made in).
template <typename Work> std::string inside(const twtest::NetNamespace& ns, Work&& work) {
    std::string failure;
    std::thread worker([&] {
        if (!twtest::enterNamespace(ns)) {
            failure = "cannot enter the namespace";
            return;
        }
        work();
    });
    worker.join();
    return failure;
}

// Drops CAP_NET_ADMIN from the calling thread's effective capabilities (they are per thread on Linux).
bool dropNetAdmin() {
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[2] = {};
    if (::syscall(SYS_capget, &header, data) != 0) {
        return false;
    }
    data[CAP_NET_ADMIN / 32].effective &= ~(1u << (CAP_NET_ADMIN % 32));
    return ::syscall(SYS_capset, &header, data) == 0;
}

class DisconnectLinkTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string why;
        if (!twtest::netNamespacesUsable(&why)) {
            GTEST_SKIP() << why;
        }
        ns = std::make_unique<twtest::NetNamespace>("twdisc");
        peer = std::make_unique<twtest::NetNamespace>("twdpeer");
        // Two links out of the namespace, as a machine with a wired and a mobile link has.
        twtest::connectVeth(*ns, "twd0", "10.213.9.1", *peer, "twp0", "10.213.9.2");
        twtest::connectVeth(*ns, "twd1", "10.213.10.1", *peer, "twp1", "10.213.10.2");
        for (const char* link : {"twd0", "twd1"}) {
            ASSERT_TRUE(isUp(*ns, link));
        }
    }

    std::unique_ptr<twtest::NetNamespace> ns;
    std::unique_ptr<twtest::NetNamespace> peer;
};

} // namespace

TEST_F(DisconnectLinkTest, TheLinksAskedForGoDownAndTheOthersStayUp) {
    std::vector<DisconnectOutcome> outcomes;
    EXPECT_EQ(inside(*ns, [&] { outcomes = makeSystemLinkDisconnector()->disconnect({"twd0", "nosuch0"}); }), "");
    ASSERT_EQ(outcomes.size(), 2u);
    EXPECT_TRUE(outcomes[0].disconnected);
    EXPECT_EQ(outcomes[0].text, "Disconnected twd0");
    EXPECT_FALSE(outcomes[1].disconnected);
    EXPECT_EQ(outcomes[1].text, "nosuch0 was not disconnected: there is no such link now");
    EXPECT_FALSE(isUp(*ns, "twd0"));
    EXPECT_TRUE(isUp(*ns, "twd1"));
}

TEST_F(DisconnectLinkTest, AllConnectionsTakesEveryCountedLinkButNotTheLoopback) {
    std::vector<std::string> links;
    std::vector<DisconnectOutcome> outcomes;
    EXPECT_EQ(inside(*ns,
                     [&] {
                         auto tables = makeSystemNetworkTables();
                         IPData engine(*tables);
                         engine.addAllAdaptors();
                         links = engine.monitoredLinks();
                         outcomes = makeSystemLinkDisconnector()->disconnect(links);
                     }),
              "");
    EXPECT_EQ(links, (std::vector<std::string>{"twd0", "twd1"}));
    ASSERT_EQ(outcomes.size(), 2u);
    EXPECT_TRUE(outcomes[0].disconnected && outcomes[1].disconnected);
    EXPECT_FALSE(isUp(*ns, "twd0"));
    EXPECT_FALSE(isUp(*ns, "twd1"));
    EXPECT_TRUE(isUp(*ns, "lo"));
}

TEST_F(DisconnectLinkTest, WithoutTheRightTheLinkStaysUpAndTheReasonIsGiven) {
    std::vector<DisconnectOutcome> outcomes;
    bool dropped = false;
    EXPECT_EQ(inside(*ns,
                     [&] {
                         dropped = dropNetAdmin();
                         outcomes = makeSystemLinkDisconnector()->disconnect({"twd0"});
                     }),
              "");
    ASSERT_TRUE(dropped);
    ASSERT_EQ(outcomes.size(), 1u);
    EXPECT_FALSE(outcomes[0].disconnected);
    EXPECT_EQ(outcomes[0].text, "twd0 was not disconnected: Operation not permitted (setting a link down needs the "
                                "CAP_NET_ADMIN capability)");
    EXPECT_TRUE(isUp(*ns, "twd0"));
}
