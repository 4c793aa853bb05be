#pragma once

#include "platform/Clock.h"

namespace tw {

// A clock that moves only when told to: wall time and monotonic time advance together.
class FakeClock final : public Clock {
public:
    explicit FakeClock(DateTime start = DateTime::fromCivil(2026, 1, 15, 12, 0, 0)) : m_now(start) {}
    DateTime now() const override { return m_now; }
    std::uint64_t monotonicMs() const override { return m_ms; }

    void setNow(DateTime t) { m_now = t; }
    void advanceMs(std::uint64_t ms) {
        m_ms += ms;
        m_subSecondMs += ms;
        m_now = m_now.addSeconds(static_cast<std::int64_t>(m_subSecondMs / 1000));
        m_subSecondMs %= 1000;
    }
    void setMonotonicMs(std::uint64_t ms) { m_ms = ms; }

private:
    DateTime m_now;
    std::uint64_t m_ms = 1'000'000;
    std::uint64_t m_subSecondMs = 0;
};

} // namespace tw
