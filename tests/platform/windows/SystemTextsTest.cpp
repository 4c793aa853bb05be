#include "platform/SystemTexts.h"

#include <gtest/gtest.h>

// Windows keeps the texts its users know.
TEST(SystemTexts, WindowsKeepsTheProgramsOwnTexts) {
    EXPECT_EQ(tw::browserFailedText("https://tallywave.example/"),
              "mnuProdAUpd_Click: ShellExecute ERROR.\nCouldn't open browser. Please manually goto the address:\n"
              "https://tallywave.example/");
    EXPECT_EQ(tw::socketErrorText(10061, "Connection refused"), "Winsock Error: 10061\nConnection refused");
    EXPECT_EQ(tw::icmpUnavailableText(), "Unable to Open an Icmp File Handle.");
}
