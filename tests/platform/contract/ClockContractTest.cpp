#include "platform/Clock.h"

#include <gtest/gtest.h>

#include <chrono>
#include <ctime>
#include <thread>

namespace tw {
namespace {

TEST(ClockContract, MillisecondCounterMovesWithRealTimeAndNeverGoesBack) {
    const auto clock = makeSystemClock();
    const std::uint64_t before = clock->monotonicMs();
    std::this_thread::sleep_for(std::chrono::milliseconds(120));
    const std::uint64_t after = clock->monotonicMs();
    EXPECT_GE(after - before, 100u); // coarse system ticks may round a little down
    EXPECT_LT(after - before, 5000u);
    EXPECT_GE(clock->monotonicMs(), after);
}

TEST(ClockContract, WallClockIsTheLocalTimeOfTheCLibrary) {
    const auto clock = makeSystemClock();
    const std::time_t t = std::time(nullptr);
    const std::tm local = *std::localtime(&t);
    const DateTime expected = DateTime::fromCivil(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                                                  local.tm_min, local.tm_sec > 59 ? 59 : local.tm_sec);
    const DateTime now = clock->now();
    ASSERT_TRUE(now.isValid());
    EXPECT_LE(std::abs(now.serialSeconds() - expected.serialSeconds()), 2);
}

} // namespace
} // namespace tw
