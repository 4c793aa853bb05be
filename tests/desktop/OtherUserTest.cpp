// A copy of another user already runs (scripts/test-desktop.sh starts it as a second normal user and says so).
#include "desktop/DesktopSession.h"

using namespace twtest;
using namespace twtest::xdesktop;

class OtherUserTest : public DesktopSession {
protected:
    void SetUp() override {
        DesktopSession::SetUp();
        if (qEnvironmentVariableIsEmpty("TALLYWAVE_OTHER_USER_COPY")) {
            GTEST_SKIP() << "no other user's copy runs (scripts/test-desktop.sh starts one as root)";
        }
    }
};

TEST_F(OtherUserTest, ASecondUsersCopyIsToldAndEnds) {
    QProcess& program = startProgram({});
    const auto message = waitForWindow("Tallywave");
    ASSERT_TRUE(message) << "nothing told this user";
    EXPECT_NE(property(*message, "_NET_WM_WINDOW_TYPE").find("DIALOG"), std::string::npos)
        << "a message box, not the main window";
    screenshot(geometry(*message), screenshotPath("another-user.png"));
    keys({"Return"});
    ASSERT_TRUE(program.waitForFinished(kTimeoutMs));
    EXPECT_EQ(program.exitCode(), 0);
}

TEST_F(OtherUserTest, StartedForTheTrayItEndsSilently) {
    QProcess& program = startProgram({"-winStartUp"});
    ASSERT_TRUE(program.waitForFinished(kTimeoutMs));
    EXPECT_EQ(program.exitCode(), 0);
    EXPECT_TRUE(viewableWindows("^Tallywave$").empty());
}
