#include "tools/TraceRoute.h"

#include "common/NumberText.h"
#include "platform/SystemTexts.h"
#include "tools/AddressText.h"

#include <cmath>

namespace tw {

namespace {

struct Bound {
    int minimum;
    int maximum;
    int fallback;
    const char* notNumber;
    const char* tooLow;
    const char* tooHigh;
};

int boundValue(const std::string& text, const Bound& bound, std::vector<std::string>& log) {
    const auto number = parseNumber(text);
    if (!number) {
        log.emplace_back(bound.notNumber);
        return bound.fallback;
    }
    const double rounded = std::nearbyint(*number); // to even on a tie
    if (rounded < bound.minimum) {
        log.emplace_back(bound.tooLow);
        return bound.minimum;
    }
    if (rounded > bound.maximum) {
        log.emplace_back(bound.tooHigh);
        return bound.maximum;
    }
    return static_cast<int>(rounded);
}

} // namespace

TraceRoute::TraceRoute(EchoOpener opener, std::shared_ptr<Resolver> resolver)
    : m_opener(std::move(opener)), m_resolver(std::move(resolver)) {}

TraceSettings TraceRoute::boundSettings(const TraceOptionTexts& texts, std::vector<std::string>& log) {
    TraceSettings s;
    s.charsPerPacket = boundValue(texts.charsPerPacket,
                                  {32, 128, 32, "Characters per packet sent has been increased to 32.",
                                   "Characters per packet sent has been increased to 32.",
                                   "Characters per packet sent has been decreased to 128."},
                                  log);
    s.maxHops = boundValue(texts.maxHops,
                           {1, 255, 30, "Max hops has been increased to 30.", "Max hops has been increased to 1.",
                            "Max hops has been decreased to 255."},
                           log);
    s.triesPerHop = boundValue(texts.triesPerHop,
                               {1, 255, 5, "Tries/hop has been changed to 5.", "Tries/hop has been increased to 1.",
                                "Tries/hop has been decreased to 255."},
                               log);
    s.timeoutMs = boundValue(texts.timeoutMs,
                             {1, 10000, 1000, "Timeout has been changed to 1000.", "Timeout has been increased to 1.",
                              "Timeout has been decreased to 10000ms."},
                             log);
    return s;
}

std::string TraceRoute::timeText(std::uint32_t roundTripMs) {
    if (roundTripMs < 1) {
        return "<1 ms";
    }
    if (roundTripMs > 1200) {
        return "*";
    }
    return std::to_string(roundTripMs) + " ms";
}

void TraceRoute::cancel() {
    m_stop.store(true);
    m_cancelled.store(true);
    std::lock_guard lock(m_echoMutex);
    if (m_echo) {
        m_echo->cancel();
    }
}

void TraceRoute::run(const TraceRequest& request, TraceObserver& observer) {
    m_stop.store(false);
    std::optional<Ipv4Address> destination;
    std::string hostName;
    if (request.byHostName) {
        destination = m_resolver->addressOf(request.hostText);
        observer.hostIpFound(destination ? formatIpv4(*destination) : std::string());
        hostName = request.hostText;
        if (!destination) {
            // Tracing towards an empty address would probe nowhere in particular.
            observer.clearLog();
            observer.logLine("Unable to resolve the host name " + request.hostText + ".");
            observer.finished();
            return;
        }
    } else {
        destination = parseIpv4(request.hostIpText);
        if (!destination) {
            observer.clearLog();
            observer.logLine(request.hostIpText + " is not an IPv4 address.");
            observer.finished();
            return;
        }
        if (request.resolveNames) {
            hostName = m_resolver->nameOf(*destination);
            observer.hostNameFound(hostName);
        } else {
            hostName = request.hostIpText;
        }
    }
    // Given up while a lookup ran: no probe is sent for a window that is gone.
    if (m_cancelled.load()) {
        observer.finished();
        return;
    }
    trace(*destination, hostName, request.options, request.resolveNames, observer);
    observer.finished();
}

void TraceRoute::trace(const Ipv4Address& destination, const std::string& hostName, const TraceOptionTexts& options,
                       bool resolveNames, TraceObserver& observer) {
    observer.clearLog();
    std::vector<std::string> boundLog;
    const TraceSettings settings = boundSettings(options, boundLog);
    for (const std::string& line : boundLog) {
        observer.logLine(line);
    }

    std::unique_ptr<IcmpEcho> echo = m_opener();
    if (!echo) {
        observer.failure(icmpUnavailableText());
        return;
    }
    {
        std::lock_guard lock(m_echoMutex);
        m_echo = echo.get();
        if (m_cancelled.load()) {
            echo->cancel();
        }
    }
    struct Release {
        TraceRoute& self;
        ~Release() {
            std::lock_guard lock(self.m_echoMutex);
            self.m_echo = nullptr;
        }
    } release{*this};

    observer.logLine("Starting traceroute to " + (hostName.empty() ? std::string("unknown host") : hostName) + ".");

    bool reachedOrStopped = false;
    for (int hop = 1; hop <= settings.maxHops && !reachedOrStopped; ++hop) {
        for (int unanswered = 0;;) {
            const EchoResult result =
                echo->send(destination, hop, static_cast<std::size_t>(settings.charsPerPacket), settings.timeoutMs);
            bool hopDone = false;
            if (result.answered()) {
                const std::string linkName = resolveNames ? m_resolver->nameOf(result.from) : std::string();
                observer.hopRow({hop, timeText(result.roundTripMs), formatIpv4(result.from), linkName});
                if (result.from == destination) {
                    observer.logLine("Traceroute completed.");
                    reachedOrStopped = true;
                    break;
                }
                hopDone = true;
            } else if (++unanswered >= settings.triesPerHop) {
                observer.logLine("Could not receive response from hop " + std::to_string(hop) + ".");
                observer.hopRow({hop, "*", "Request timed out.", ""});
                hopDone = true;
            }
            if (m_stop.load() || m_cancelled.load()) {
                observer.logLine("Aborted by user.");
                reachedOrStopped = true;
                break;
            }
            if (hopDone) {
                break;
            }
        }
    }
    if (!reachedOrStopped) {
        observer.logLine("Max hops reached - aborting traceroute.");
    }
}

} // namespace tw
