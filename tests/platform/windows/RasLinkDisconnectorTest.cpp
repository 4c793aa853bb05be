#include "platform/LinkDisconnector.h"

#include <gtest/gtest.h>

// Only dial-up connections can be hung up by a program; any other link is reported, not touched.
TEST(RasLinkDisconnector, aLinkThatIsNoDialUpConnectionIsNotDisconnectedAndTheReasonIsGiven) {
    const auto outcomes = tw::makeSystemLinkDisconnector()->disconnect({"Intel(R) Ethernet Connection"});
    ASSERT_EQ(outcomes.size(), 1u);
    EXPECT_FALSE(outcomes[0].disconnected);
    EXPECT_EQ(outcomes[0].link, "Intel(R) Ethernet Connection");
    EXPECT_EQ(outcomes[0].text.rfind("Intel(R) Ethernet Connection was not disconnected: ", 0), 0u) << outcomes[0].text;
}
