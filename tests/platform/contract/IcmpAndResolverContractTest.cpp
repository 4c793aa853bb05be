#include "platform/IcmpEcho.h"
#include "platform/Resolver.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace tw {
namespace {

constexpr Ipv4Address kLoopback{127, 0, 0, 1};

TEST(IcmpEchoContract, EchoToTheLoopbackAddressIsAnswered) {
    const auto echo = openIcmpEcho();
    if (!echo) {
        GTEST_SKIP() << "this process may not send ICMP echo requests (needs root or ping_group_range on Linux)";
    }
    const EchoResult result = echo->send(kLoopback, 64, 32, 2000);
    EXPECT_EQ(result.status, EchoStatus::Reply);
    EXPECT_EQ(result.from, kLoopback);
    EXPECT_LT(result.roundTripMs, 2000u);
}

TEST(IcmpEchoContract, CancelFromAnotherThreadEndsTheRequestsOfATrace) {
    const auto echo = openIcmpEcho();
    if (!echo) {
        GTEST_SKIP() << "this process may not send ICMP echo requests (needs root or ping_group_range on Linux)";
    }
    // Only the loopback may be probed here, and it answers at once: the trace keeps sending until the cancel lands.
    std::thread canceller([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        echo->cancel();
    });
    const auto start = std::chrono::steady_clock::now();
    int sent = 0;
    while (echo->send(kLoopback, 64, 32, 2000).status == EchoStatus::Reply && sent < 100000) {
        ++sent;
    }
    canceller.join();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    EXPECT_EQ(echo->send(kLoopback, 64, 32, 2000).status, EchoStatus::Timeout);
}

TEST(ResolverContract, LocalhostResolvesToTheLoopbackAddress) {
    const auto resolver = makeSystemResolver();
    const auto address = resolver->addressOf("localhost");
    ASSERT_TRUE(address.has_value());
    EXPECT_EQ((*address)[0], 127);
    EXPECT_FALSE(resolver->nameOf(kLoopback).empty());
}

TEST(ResolverContract, NumericAddressesResolveToThemselvesAndInvalidNamesToNothing) {
    const auto resolver = makeSystemResolver();
    EXPECT_EQ(resolver->addressOf("10.1.2.3"), (Ipv4Address{10, 1, 2, 3}));
    EXPECT_FALSE(resolver->addressOf("").has_value());
    EXPECT_FALSE(resolver->addressOf("no such host.invalid").has_value());
}

} // namespace
} // namespace tw
