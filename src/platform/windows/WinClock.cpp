#include "platform/Clock.h"

#include <windows.h>

namespace tw {

namespace {

class WinClock final : public Clock {
public:
    DateTime now() const override {
        SYSTEMTIME st{};
        GetLocalTime(&st);
        return DateTime::fromCivil(st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute,
                                   st.wSecond > 59 ? 59 : st.wSecond);
    }
    // GetTickCount would wrap after 49.7 days; the 64-bit form never does.
    std::uint64_t monotonicMs() const override { return GetTickCount64(); }
};

} // namespace

std::unique_ptr<Clock> makeSystemClock() {
    return std::make_unique<WinClock>();
}

} // namespace tw
