#pragma once

#include <cstdint>
#include <string>

namespace tw {

// What the monitor loop needs of the traffic engine (IPData implements it; tests use a scripted fake).
// Once per tick: updateStatistics(), then getBytesRecieved() and getBytesSent() once each; a getter read twice in
// one tick gives 0 the second time.
class TrafficEngine {
public:
    virtual ~TrafficEngine() = default;
    virtual void updateStatistics() = 0;
    virtual std::uint64_t getBytesRecieved() = 0;
    virtual std::uint64_t getBytesSent() = 0;
    virtual void pause() = 0;
    // Samples and discards whatever moved since the last update ("continue" is a C++ keyword).
    virtual void continue_() = 0;
    // The next update re-baselines without counting.
    virtual void stopIt() = 0;
    // Status-bar text of the monitored connections.
    virtual std::string getAdaptor() const = 0;
};

} // namespace tw
