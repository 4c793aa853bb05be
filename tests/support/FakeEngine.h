#pragma once

#include "measure/TrafficEngine.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace twtest {

// Traffic is queued by the test and handed out by the getters, each once, as the real engine does. Traffic queued
// while paused or stopped is what moved on the wire meanwhile: continue_ and stopIt throw it away.
class FakeEngine final : public tw::TrafficEngine {
public:
    void updateStatistics() override { ++updates; }
    std::uint64_t getBytesRecieved() override { return std::exchange(m_received, 0); }
    std::uint64_t getBytesSent() override { return std::exchange(m_sent, 0); }
    void pause() override { calls.push_back("pause"); }
    void continue_() override {
        calls.push_back("continue");
        m_received = m_sent = 0;
    }
    void stopIt() override {
        calls.push_back("stopIt");
        m_received = m_sent = 0;
    }
    std::string getAdaptor() const override { return adaptor; }

    void traffic(std::uint64_t received, std::uint64_t sent) {
        m_received += received;
        m_sent += sent;
    }

    int updates = 0;
    std::vector<std::string> calls;
    std::string adaptor = "All connections";

private:
    std::uint64_t m_received = 0;
    std::uint64_t m_sent = 0;
};

} // namespace twtest
