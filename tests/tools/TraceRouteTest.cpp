#include "tools/TraceRoute.h"

#include "platform/SystemTexts.h"

#include "platform/fake/FakeIcmpNetwork.h"
#include "platform/fake/FakeResolver.h"

#include <gmock/gmock.h>

using namespace tw;
using testing::ElementsAre;

namespace {

// Records what the trace reports, in one stream, so that the order between log lines and rows is checked too.
class RecordingObserver final : public TraceObserver {
public:
    std::vector<std::string> events;
    std::vector<HopRow> rows;
    std::vector<std::string> log;
    int finishedCount = 0;

    void hostIpFound(const std::string& ip) override { events.push_back("ip=" + ip); }
    void hostNameFound(const std::string& name) override { events.push_back("name=" + name); }
    void clearLog() override {
        events.push_back("clear");
        log.clear();
    }
    void logLine(const std::string& line) override {
        events.push_back(line);
        log.push_back(line);
    }
    void hopRow(const HopRow& row) override {
        events.push_back("row " + std::to_string(row.hop) + "|" + row.time + "|" + row.linkIp + "|" + row.linkName);
        rows.push_back(row);
    }
    void failure(const std::string& message) override { events.push_back("box " + message); }
    void finished() override {
        events.push_back("finished");
        ++finishedCount;
    }
};

constexpr Ipv4Address kTarget{198, 18, 3, 2};
constexpr Ipv4Address kRouter1{198, 18, 1, 1};
constexpr Ipv4Address kRouter2{198, 18, 2, 1};

class TraceRouteTest : public testing::Test {
protected:
    TraceRouteTest() {
        resolver->names[kRouter1] = "r1.example";
        resolver->names[kTarget] = "target.example";
        resolver->addresses["target.example"] = kTarget;
        // Routers at time-to-live 1 and 2, the target from 3 on.
        network->answer = [](const FakeIcmpNetwork::Probe& p) {
            if (p.ttl == 1) {
                return EchoResult{EchoStatus::TimeExceeded, kRouter1, 0};
            }
            if (p.ttl == 2) {
                return EchoResult{EchoStatus::TimeExceeded, kRouter2, 1200};
            }
            return EchoResult{EchoStatus::Reply, kTarget, 1201};
        };
    }

    void run(TraceRequest request) { TraceRoute(network->opener(), resolver).run(request, observer); }

    static TraceRequest byIp(std::string ip) {
        TraceRequest r;
        r.hostIpText = std::move(ip);
        return r;
    }

    std::shared_ptr<FakeIcmpNetwork> network = std::make_shared<FakeIcmpNetwork>();
    std::shared_ptr<FakeResolver> resolver = std::make_shared<FakeResolver>();
    RecordingObserver observer;
};

} // namespace

TEST_F(TraceRouteTest, ATargetThatAnswersAtHopThreeEndsTheTraceAfterItsRow) {
    run(byIp("198.18.3.2"));
    EXPECT_THAT(observer.events, ElementsAre("name=target.example", "clear", "Starting traceroute to target.example.",
                                             "row 1|<1 ms|198.18.1.1|r1.example", "row 2|1200 ms|198.18.2.1|",
                                             "row 3|*|198.18.3.2|target.example", "Traceroute completed.", "finished"));
    ASSERT_EQ(network->probes().size(), 3u);
    EXPECT_EQ(network->probes()[0].payloadSize, 32u);
    EXPECT_EQ(network->probes()[0].timeoutMs, 1000);
    EXPECT_EQ(network->opened(), 1);
    EXPECT_EQ(network->closed(), 1);
}

TEST_F(TraceRouteTest, ASilentHopIsProbedTriesPerHopTimesThenLoggedAndTheTraceGoesOn) {
    network->answer = [](const FakeIcmpNetwork::Probe& p) {
        if (p.ttl == 2) {
            return EchoResult{EchoStatus::Timeout, {}, 0};
        }
        return p.ttl == 1 ? EchoResult{EchoStatus::TimeExceeded, kRouter1, 3}
                          : EchoResult{EchoStatus::Reply, kTarget, 4};
    };
    TraceRequest request = byIp("198.18.3.2");
    request.options.triesPerHop = "2";
    run(request);
    std::vector<int> ttls;
    for (const auto& p : network->probes()) {
        ttls.push_back(p.ttl);
    }
    EXPECT_THAT(ttls, ElementsAre(1, 2, 2, 3));
    EXPECT_THAT(observer.log, ElementsAre("Starting traceroute to target.example.",
                                          "Could not receive response from hop 2.", "Traceroute completed."));
    ASSERT_EQ(observer.rows.size(), 3u);
    EXPECT_EQ(observer.rows[1].time, "*");
    EXPECT_EQ(observer.rows[1].linkIp, "Request timed out.");
    EXPECT_EQ(observer.rows[1].linkName, "");
}

TEST_F(TraceRouteTest, RunsOutOfHopsWhenTheTargetNeverAnswers) {
    network->answer = [](const FakeIcmpNetwork::Probe&) { return EchoResult{EchoStatus::TimeExceeded, kRouter1, 1}; };
    TraceRequest request = byIp("198.18.3.2");
    request.options.maxHops = "4";
    run(request);
    EXPECT_EQ(observer.rows.size(), 4u);
    EXPECT_EQ(observer.log.back(), "Max hops reached - aborting traceroute.");
    EXPECT_EQ(observer.finishedCount, 1);
}

TEST_F(TraceRouteTest, BoundsTheOptionsAndLogsEachReplacedValue) {
    std::vector<std::string> log;
    auto s = TraceRoute::boundSettings({"500", "0", "x", "20000"}, log);
    EXPECT_EQ(s.charsPerPacket, 128);
    EXPECT_EQ(s.maxHops, 1);
    EXPECT_EQ(s.triesPerHop, 5);
    EXPECT_EQ(s.timeoutMs, 10000);
    EXPECT_THAT(log, ElementsAre("Characters per packet sent has been decreased to 128.",
                                 "Max hops has been increased to 1.", "Tries/hop has been changed to 5.",
                                 "Timeout has been decreased to 10000ms."));

    log.clear();
    s = TraceRoute::boundSettings({"abc", "300", "-3", "0"}, log);
    EXPECT_EQ(s.charsPerPacket, 32);
    EXPECT_EQ(s.maxHops, 255);
    EXPECT_EQ(s.triesPerHop, 1);
    EXPECT_EQ(s.timeoutMs, 1);
    EXPECT_THAT(log, ElementsAre("Characters per packet sent has been increased to 32.",
                                 "Max hops has been decreased to 255.", "Tries/hop has been increased to 1.",
                                 "Timeout has been increased to 1."));

    log.clear();
    s = TraceRoute::boundSettings({" 64 ", "2.5", "3.5", "abc"}, log);
    EXPECT_EQ(s.charsPerPacket, 64);
    EXPECT_EQ(s.maxHops, 2); // rounded half to even
    EXPECT_EQ(s.triesPerHop, 4);
    EXPECT_THAT(log, ElementsAre("Timeout has been changed to 1000."));
}

TEST_F(TraceRouteTest, BoundLinesComeBeforeTheStartLineAndTheBoundValuesAreUsed) {
    TraceRequest request = byIp("198.18.3.2");
    request.options = {"500", "-1", "5", "1000"};
    run(request);
    EXPECT_THAT(observer.log, ElementsAre("Characters per packet sent has been decreased to 128.",
                                          "Max hops has been increased to 1.", "Starting traceroute to target.example.",
                                          "Max hops reached - aborting traceroute."));
    ASSERT_EQ(network->probes().size(), 1u);
    EXPECT_EQ(network->probes()[0].payloadSize, 128u);
}

// Whether a hop answers or is still being retried, stop lets the probe under way finish and sends no other.
TEST_F(TraceRouteTest, StopEndsTheTraceAfterTheCurrentProbeAlsoDuringTheRetriesOfASilentHop) {
    const auto routers = network->answer;
    for (const bool silent : {false, true}) {
        SCOPED_TRACE(silent ? "silent hop" : "answering hops");
        network = std::make_shared<FakeIcmpNetwork>(); // answers nothing: every probe times out
        if (!silent) {
            network->answer = routers;
        }
        observer = {};
        TraceRoute trace(network->opener(), resolver);
        network->onProbe = [&](const FakeIcmpNetwork::Probe&) {
            if (network->probes().size() == 2) {
                trace.stop();
            }
        };
        trace.run(byIp("198.18.3.2"), observer);
        EXPECT_EQ(network->probes().size(), 2u);
        EXPECT_EQ(observer.rows.size(), silent ? 0u : 2u);
        EXPECT_EQ(observer.log.back(), "Aborted by user.");
        EXPECT_EQ(observer.events.back(), "finished");
    }
}

TEST_F(TraceRouteTest, TracesAHostNameThroughItsAddress) {
    TraceRequest request;
    request.byHostName = true;
    request.hostText = "target.example";
    run(request);
    EXPECT_EQ(observer.events.front(), "ip=198.18.3.2");
    EXPECT_EQ(observer.log.front(), "Starting traceroute to target.example.");
    EXPECT_EQ(observer.log.back(), "Traceroute completed.");
}

TEST_F(TraceRouteTest, WithoutNameResolutionNoLookupIsMadeAndTheAddressNamesTheTarget) {
    TraceRequest request = byIp("198.18.3.2");
    request.resolveNames = false;
    run(request);
    EXPECT_EQ(resolver->reverseLookups, 0);
    EXPECT_EQ(observer.log.front(), "Starting traceroute to 198.18.3.2.");
    EXPECT_EQ(observer.rows[0].linkName, "");
}

TEST_F(TraceRouteTest, AnUnknownTargetNameStartsTowardsAnUnknownHost) {
    resolver->names.clear();
    run(byIp("198.18.3.2"));
    EXPECT_EQ(observer.events.front(), "name=");
    EXPECT_EQ(observer.log.front(), "Starting traceroute to unknown host.");
}

TEST_F(TraceRouteTest, AnUnresolvedNameABadAddressOrNoIcmpEndpointEndsTheTraceBeforeAnyProbe) {
    TraceRequest byName;
    byName.byHostName = true;
    byName.hostText = "nowhere.invalid";
    struct Case {
        TraceRequest request;
        bool failToOpen;
        std::vector<std::string> events;
    };
    const Case cases[] = {
        {byName, false, {"ip=", "clear", "Unable to resolve the host name nowhere.invalid.", "finished"}},
        {byIp("198.18.3"), false, {"clear", "198.18.3 is not an IPv4 address.", "finished"}},
        {byIp("198.18.3.2"), true, {"name=target.example", "clear", "box " + icmpUnavailableText(), "finished"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.events[1]);
        network = std::make_shared<FakeIcmpNetwork>();
        network->failToOpen = c.failToOpen;
        observer = {};
        run(c.request);
        EXPECT_EQ(observer.events, c.events);
        EXPECT_TRUE(network->probes().empty());
        EXPECT_EQ(network->opened(), 0);
    }
}

TEST_F(TraceRouteTest, CancelGivesUpTheCurrentProbe) {
    TraceRoute trace(network->opener(), resolver);
    network->onProbe = [&](const FakeIcmpNetwork::Probe&) { trace.cancel(); };
    trace.run(byIp("198.18.3.2"), observer);
    EXPECT_TRUE(network->cancelled());
    EXPECT_EQ(observer.log.back(), "Aborted by user.");
}

TEST(TraceRouteTime, ShowsBelowOneMillisecondUpTo1200AndAStarAbove) {
    EXPECT_EQ(TraceRoute::timeText(0), "<1 ms");
    EXPECT_EQ(TraceRoute::timeText(1), "1 ms");
    EXPECT_EQ(TraceRoute::timeText(1200), "1200 ms");
    EXPECT_EQ(TraceRoute::timeText(1201), "*");
}
