#pragma once

#include "platform/IcmpEcho.h"

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

namespace tw {

// A scripted network: `answer` decides what each probe gets (a timeout unless set); every probe is recorded.
// opener() hands out echo endpoints bound to this network, as openIcmpEcho() does for the real one.
class FakeIcmpNetwork : public std::enable_shared_from_this<FakeIcmpNetwork> {
public:
    struct Probe {
        Ipv4Address destination;
        int ttl;
        std::size_t payloadSize;
        int timeoutMs;
    };

    std::function<EchoResult(const Probe&)> answer;
    std::function<void(const Probe&)> onProbe; // runs before the answer, e.g. to press "Stop"
    bool failToOpen = false;

    std::vector<Probe> probes() const {
        std::lock_guard lock(m_mutex);
        return m_probes;
    }
    int opened() const { return m_opened; }
    int closed() const { return m_closed; }
    bool cancelled() const { return m_cancelled; }

    std::function<std::unique_ptr<IcmpEcho>()> opener() {
        return [self = shared_from_this()]() -> std::unique_ptr<IcmpEcho> {
            if (self->failToOpen) {
                return nullptr;
            }
            ++self->m_opened;
            return std::make_unique<Endpoint>(self);
        };
    }

private:
    class Endpoint final : public IcmpEcho {
    public:
        explicit Endpoint(std::shared_ptr<FakeIcmpNetwork> network) : m_network(std::move(network)) {}
        ~Endpoint() override { ++m_network->m_closed; }
        EchoResult send(const Ipv4Address& destination, int ttl, std::size_t payloadSize, int timeoutMs) override {
            const Probe probe{destination, ttl, payloadSize, timeoutMs};
            {
                std::lock_guard lock(m_network->m_mutex);
                m_network->m_probes.push_back(probe);
            }
            if (m_network->onProbe) {
                m_network->onProbe(probe);
            }
            return m_network->answer ? m_network->answer(probe) : EchoResult{};
        }
        void cancel() override { m_network->m_cancelled = true; }

    private:
        std::shared_ptr<FakeIcmpNetwork> m_network;
    };

    mutable std::mutex m_mutex;
    std::vector<Probe> m_probes;
    std::atomic<int> m_opened{0};
    std::atomic<int> m_closed{0};
    std::atomic<bool> m_cancelled{false};
};

} // namespace tw
