#include "alarms/DisconnectSettings.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

TEST(DisconnectSettings, offByDefaultAndTheDelayTakesOnlyWholeSecondsFrom1To99) {
    twtest::TempDir dir;
    const std::string file = dir.file("settings.txt");
    const tw::DisconnectSettings none = tw::loadDisconnectSettings(file);
    EXPECT_FALSE(none.automatic);
    EXPECT_EQ(none.delaySeconds, 10);
    EXPECT_TRUE(none.cancellable);

    dir.write("settings.txt", "[Alarm]\r\nautomaticDisconnect=1\r\nSecondsDelay=2.6\r\nNoCancelDisconnect=1\r\n");
    const tw::DisconnectSettings set = tw::loadDisconnectSettings(file);
    EXPECT_TRUE(set.automatic);
    EXPECT_EQ(set.delaySeconds, 3);
    EXPECT_FALSE(set.cancellable);

    for (const char* typed : {"0", "100", "abc", "-5"}) {
        dir.write("settings.txt", std::string("[Alarm]\r\nautomaticDisconnect=1\r\nSecondsDelay=") + typed + "\r\n");
        EXPECT_EQ(tw::loadDisconnectSettings(file).delaySeconds, 10) << typed;
    }
}
