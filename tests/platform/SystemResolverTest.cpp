#include "platform/Resolver.h"

#include <gtest/gtest.h>

using namespace tw;

// Both answers come from the hosts file, so no lookup leaves the machine.
TEST(SystemResolver, LooksUpTheLoopbackBothWaysAndFailsForAnUnknownName) {
    auto resolver = makeSystemResolver();
    EXPECT_EQ(resolver->addressOf("localhost"), (Ipv4Address{127, 0, 0, 1}));
    EXPECT_EQ(resolver->nameOf({127, 0, 0, 1}), "localhost");
    EXPECT_EQ(resolver->addressOf(""), std::nullopt);
}
