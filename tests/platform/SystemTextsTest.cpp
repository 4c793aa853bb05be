#include "platform/SystemTexts.h"

#include <gmock/gmock.h>

using testing::AllOf;
using testing::HasSubstr;
using testing::Not;

// On Linux the messages name nothing of Windows and say what the user can do.
TEST(SystemTexts, LinuxMessagesSayWhatTheUserCanDo) {
    const std::string browser = tw::browserFailedText("https://tallywave.example/index.php?ref=Tallywave");
    EXPECT_THAT(browser, AllOf(HasSubstr("web browser could not be started"),
                               testing::EndsWith("\nhttps://tallywave.example/index.php?ref=Tallywave"),
                               Not(HasSubstr("ShellExecute")), Not(HasSubstr("mnuProdAUpd_Click"))));
    EXPECT_EQ(tw::socketErrorText(10061, "Connection refused"), "Connection refused");
    EXPECT_THAT(tw::icmpUnavailableText(),
                AllOf(HasSubstr("ICMP sockets are not permitted"), HasSubstr("net.ipv4.ping_group_range"),
                      Not(HasSubstr("Icmp File Handle"))));
}
