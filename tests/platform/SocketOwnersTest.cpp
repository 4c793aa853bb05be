#include "platform/linux/SocketOwners.h"

#include "support/TempDir.h"

#include <gmock/gmock.h>

#include <filesystem>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using tw::SocketOwner;
using tw::procfs::findSocketOwners;

namespace {

// A process of a made-up /proc: its name and its descriptors' link targets.
void addProcess(const twtest::TempDir& proc, const std::string& pid, const std::string& comm,
                const std::vector<std::string>& links) {
    std::filesystem::create_directories(proc.path() / pid / "fd");
    proc.write(pid + "/comm", comm + "\n");
    for (std::size_t i = 0; i < links.size(); ++i) {
        std::filesystem::create_symlink(links[i], proc.path() / pid / "fd" / std::to_string(i + 3));
    }
}

std::uint64_t inodeOf(int fd) {
    struct stat st {};
    return ::fstat(fd, &st) == 0 ? st.st_ino : 0;
}

} // namespace

TEST(SocketOwners, FindsTheProcessOfEachSocketThroughItsDescriptorLinks) {
    twtest::TempDir proc;
    addProcess(proc, "100", "nc", {"/dev/null", "socket:[777]", "socket:[999]", "pipe:[777]"});
    addProcess(proc, "52", "sshd", {"socket:[888]"});
    addProcess(proc, "7", "kthread", {});
    std::filesystem::create_directories(proc.path() / "61"); // gone meanwhile: no fd folder
    std::filesystem::create_directories(proc.path() / "self" / "fd");
    std::filesystem::create_symlink("socket:[555]", proc.path() / "self" / "fd" / "3");

    const auto owners = findSocketOwners({777, 888, 555, 4242}, proc.path().string());
    EXPECT_EQ(owners.size(), 2u);
    EXPECT_EQ(owners.at(777), (SocketOwner{100, "nc"}));
    EXPECT_EQ(owners.at(888), (SocketOwner{52, "sshd"}));
    EXPECT_TRUE(findSocketOwners({}, proc.path().string()).empty());
    EXPECT_TRUE(findSocketOwners({777}, proc.file("missing")).empty());
}

TEST(SocketOwners, FindsThisProcessOnTheRealSystemButNotForAnotherUser) {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    ASSERT_GE(fd, 0);
    const std::uint64_t inode = inodeOf(fd);
    const auto mine = findSocketOwners({inode});
    ASSERT_EQ(mine.count(inode), 1u);
    EXPECT_EQ(mine.at(inode).pid, ::getpid());
    EXPECT_FALSE(mine.at(inode).name.empty());

    if (::geteuid() != 0) {
        ::close(fd);
        GTEST_SKIP() << "needs root to look as another user";
    }
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(fd);
        const bool switched = ::setgid(65534) == 0 && ::setuid(65534) == 0;
        _exit(!switched ? 2 : findSocketOwners({inode}).empty() ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ::close(fd);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "1: another user saw the owner; 2: could not switch users";
}
