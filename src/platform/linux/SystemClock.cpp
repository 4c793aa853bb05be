#include "platform/Clock.h"

#include <chrono>
#include <ctime>

namespace tw {

namespace {

class SystemClock final : public Clock {
public:
    DateTime now() const override {
        const std::time_t t = std::time(nullptr);
        std::tm tm{};
        localtime_r(&t, &tm);
        return DateTime::fromCivil(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min,
                                   tm.tm_sec > 59 ? 59 : tm.tm_sec);
    }
    std::uint64_t monotonicMs() const override {
        using namespace std::chrono;
        return static_cast<std::uint64_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
    }
};

} // namespace

std::unique_ptr<Clock> makeSystemClock() {
    return std::make_unique<SystemClock>();
}

} // namespace tw
