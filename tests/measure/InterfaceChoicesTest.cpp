#include "measure/InterfaceChoices.h"
#include "platform/fake/FakeNetworkTables.h"
#include "support/CapturingMessageSink.h"

#include <gmock/gmock.h>

using namespace tw;
using testing::ElementsAre;

TEST(InterfaceChoices, ListEveryRowInTableOrderWithItsAddressOrAnEmptyOne) {
    FakeNetworkTables tables;
    tables.addInterface(1, "lo", kIfTypeLoopback);
    tables.addAddress(1, "127.0.0.1");
    tables.addInterface(2, "eth0");
    tables.addAddress(2, "192.168.5.7");
    tables.addInterface(3, "tun0");
    const InterfaceChoices choices = readInterfaceChoices(tables);
    EXPECT_THAT(choices.descriptions, ElementsAre("lo", "eth0", "tun0"));
    EXPECT_THAT(choices.addresses, ElementsAre("127.0.0.1", "192.168.5.7", ""));
}

TEST(InterfaceChoices, AreEmptyWithoutAnInterfaceTableAndTellTheUserNothing) {
    twtest::CapturingMessageSink sink; // the running engine has told the user already
    FakeNetworkTables tables;
    tables.addInterface(1, "eth0");
    tables.setAvailable(false);
    const InterfaceChoices choices = readInterfaceChoices(tables);
    EXPECT_TRUE(choices.descriptions.empty());
    EXPECT_TRUE(choices.addresses.empty());
    EXPECT_TRUE(sink.messages.empty());
}
