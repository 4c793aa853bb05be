// The process walk as a normal user sees it: another user's processes are found by name, under their full file name
// even past the kernel's 15-character comm, and told apart from one's own.
#include "platform/ProcessList.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr uid_t kOtherUser = 65534; // nobody
constexpr uid_t kWalkingUser = 65533;

void becomeUser(uid_t uid) {
    if (setgroups(0, nullptr) != 0 || setgid(uid) != 0 || setuid(uid) != 0) {
        _exit(120);
    }
}

} // namespace

TEST(ProcFsProcessList, ANormalUserFindsAnotherUsersProcessUnderItsFullFileName) {
    if (geteuid() != 0) {
        GTEST_SKIP() << "needs root to run processes as two other users";
    }
    namespace fs = std::filesystem;
    twtest::TempDir dir;
    fs::permissions(dir.path(), fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                    fs::perms::others_read | fs::perms::others_exec);
    const std::string program = dir.file("tallywave-portable-copy"); // longer than comm holds
    fs::copy_file("/bin/sleep", program);

    const pid_t other = fork();
    ASSERT_GE(other, 0);
    if (other == 0) {
        becomeUser(kOtherUser);
        execl(program.c_str(), program.c_str(), "30", static_cast<char*>(nullptr));
        _exit(121);
    }

    int result[2];
    ASSERT_EQ(pipe(result), 0);
    const pid_t walker = fork();
    ASSERT_GE(walker, 0);
    if (walker == 0) {
        becomeUser(kWalkingUser);
        char found = 'n';
        for (int attempt = 0; attempt < 200 && found == 'n'; ++attempt) { // until the other one has exec'd
            for (const tw::ProcessInfo& p : tw::makeSystemProcessList()->snapshot()) {
                if (p.pid == other && p.exeFileName == "tallywave-portable-copy") {
                    found = p.sameUser ? 's' : 'o';
                }
            }
            usleep(10000);
        }
        char self = 'n';
        for (const tw::ProcessInfo& p : tw::makeSystemProcessList()->snapshot()) {
            if (p.pid == getpid()) {
                self = p.sameUser ? 's' : 'o';
            }
        }
        const char answer[2] = {found, self};
        [[maybe_unused]] const auto n = write(result[1], answer, 2);
        _exit(0);
    }
    close(result[1]);
    char answer[2] = {'?', '?'};
    EXPECT_EQ(read(result[0], answer, 2), 2);
    close(result[0]);
    waitpid(walker, nullptr, 0);
    kill(other, SIGKILL);
    waitpid(other, nullptr, 0);

    EXPECT_EQ(answer[0], 'o') << "the other user's process, by its full name, as another user's ('n': not found)";
    EXPECT_EQ(answer[1], 's') << "the walker itself counts as the same user";
}
