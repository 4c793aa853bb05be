#pragma once

#include "common/DateTime.h"

#include <cstdint>
#include <memory>

namespace tw {

// Wall clock (local time) and a 64-bit monotonic millisecond counter that never wraps.
class Clock {
public:
    virtual ~Clock() = default;
    virtual DateTime now() const = 0;
    virtual std::uint64_t monotonicMs() const = 0;
};

std::unique_ptr<Clock> makeSystemClock();

} // namespace tw
