#pragma once

#include "platform/IcmpEcho.h"
#include "platform/Resolver.h"

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace tw {

// The option texts as the user typed them.
struct TraceOptionTexts {
    std::string charsPerPacket = "32";
    std::string maxHops = "30";
    std::string triesPerHop = "5";
    std::string timeoutMs = "1000";
};

struct TraceSettings {
    int charsPerPacket = 32;
    int maxHops = 30;
    int triesPerHop = 5;
    int timeoutMs = 1000;
};

struct HopRow {
    int hop = 0;
    std::string time;
    std::string linkIp;
    std::string linkName;
};

struct TraceRequest {
    bool byHostName = false; // trace the host name, else the typed address
    std::string hostText;    // host name box
    std::string hostIpText;  // address box
    TraceOptionTexts options;
    bool resolveNames = true; // reverse lookups of the target and of every hop
};

// What a running trace reports, in order, from the thread that runs it.
class TraceObserver {
public:
    virtual ~TraceObserver() = default;
    virtual void hostIpFound(const std::string& ipText) = 0; // the host name was looked up
    virtual void hostNameFound(const std::string& name) = 0; // the address was looked up
    virtual void clearLog() = 0;
    virtual void logLine(const std::string& line) = 0;
    virtual void hopRow(const HopRow& row) = 0;
    virtual void failure(const std::string& message) = 0; // shown in a message box
    virtual void finished() = 0;                          // the trace is over; the button reads "Start"
};

// Traces the route to a host with ICMP echo requests of growing time-to-live. run() blocks for the whole trace; the
// window calls it on a worker thread and may call stop() or cancel() from its own thread meanwhile.
class TraceRoute {
public:
    using EchoOpener = std::function<std::unique_ptr<IcmpEcho>()>;

    TraceRoute(EchoOpener opener, std::shared_ptr<Resolver> resolver);

    void run(const TraceRequest& request, TraceObserver& observer);
    // The stop request: the trace ends after the current probe with "Aborted by user.".
    void stop() { m_stop.store(true); }
    // As stop(), and the current probe is given up at once (the window is closing).
    void cancel();

    // Bounds the four options to their ranges; every replaced value adds its line to log.
    static TraceSettings boundSettings(const TraceOptionTexts& texts, std::vector<std::string>& log);
    // "<1 ms", "N ms" up to 1200 ms, "*" above.
    static std::string timeText(std::uint32_t roundTripMs);

private:
    void trace(const Ipv4Address& destination, const std::string& hostName, const TraceOptionTexts& options,
               bool resolveNames, TraceObserver& observer);

    EchoOpener m_opener;
    std::shared_ptr<Resolver> m_resolver;
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_cancelled{false};
    std::mutex m_echoMutex;
    IcmpEcho* m_echo = nullptr;
};

} // namespace tw
