#include "platform/FileSystem.h"
#include "platform/InstanceLock.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <string>

namespace tw {
namespace {

// Unique per run, so a crashed earlier run or a parallel one cannot interfere.
std::string uniqueKey(const std::string& base) {
    return base + "-" + std::to_string(std::chrono::steady_clock::now().time_since_epoch().count());
}

TEST(InstanceLockContract, SecondInstanceIsDetectedWhileTheFirstHoldsTheLock) {
    const std::string key = uniqueKey("contract");
    const auto first = makeSystemInstanceLock();
    const auto second = makeSystemInstanceLock();
    ASSERT_TRUE(first->tryAcquire(key));
    EXPECT_FALSE(second->tryAcquire(key));
    EXPECT_TRUE(first->tryAcquire(key)); // the holder asking again is not a second instance
}

constexpr std::string_view kKeyArgument = "--tallywave-lock-key=";
constexpr std::string_view kExpectArgument = "--tallywave-expect=";

// Runs this test program again, as another process, to try the lock (the disabled test below).
int tryLockInAnotherProcess(const std::string& key, const std::string& expect) {
    const std::string command = "\"" + executablePath() + "\" --gtest_brief=1 --gtest_also_run_disabled_tests" +
                                " --gtest_filter=InstanceLockContract.DISABLED_OtherProcessTriesTheLock " +
                                std::string(kKeyArgument) + key + " " + std::string(kExpectArgument) + expect;
    return std::system(command.c_str());
}

TEST(InstanceLockContract, AnotherProcessIsToldThatAnInstanceRunsUntilItEnds) {
    const std::string key = uniqueKey("process");
    auto holder = makeSystemInstanceLock();
    ASSERT_TRUE(holder->tryAcquire(key));
    EXPECT_EQ(tryLockInAnotherProcess(key, "held"), 0);
    holder.reset();
    EXPECT_EQ(tryLockInAnotherProcess(key, "free"), 0);
}

// Only run by the test above, in its own process.
TEST(InstanceLockContract, DISABLED_OtherProcessTriesTheLock) {
    std::string key;
    std::string expect;
    for (const std::string& arg : ::testing::internal::GetArgvs()) {
        if (arg.starts_with(kKeyArgument)) {
            key = arg.substr(kKeyArgument.size());
        } else if (arg.starts_with(kExpectArgument)) {
            expect = arg.substr(kExpectArgument.size());
        }
    }
    ASSERT_FALSE(key.empty());
    EXPECT_EQ(makeSystemInstanceLock()->tryAcquire(key), expect == "free");
}

TEST(InstanceLockContract, LockIsFreeAgainOnceTheHolderIsGone) {
    const std::string key = uniqueKey("released");
    auto first = makeSystemInstanceLock();
    ASSERT_TRUE(first->tryAcquire(key));
    first.reset();
    EXPECT_TRUE(makeSystemInstanceLock()->tryAcquire(key));
}

TEST(InstanceLockContract, DifferentKeysDoNotBlockEachOtherEvenWhenTheyLookAlike) {
    const std::string id = uniqueKey("");
    const auto a = makeSystemInstanceLock();
    const auto b = makeSystemInstanceLock();
    ASSERT_TRUE(a->tryAcquire("C:\\Users\\ann" + id));
    EXPECT_TRUE(b->tryAcquire("C:/Users/ann" + id)); // same readable name, other key
    EXPECT_TRUE(b->tryAcquire("C:\\Users\\ann" + id + "2"));
}

TEST(InstanceLockContract, LockNamesAreUsableAsFileAndObjectNames) {
    const std::string name = instanceLockName(std::string(300, '\\') + "/:*?\"<>|\x01 \xC3\xA9");
    EXPECT_LT(name.size(), 100u);
    EXPECT_EQ(name.find_first_not_of("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789-_"),
              std::string::npos)
        << name;
    EXPECT_NE(instanceLockName("a/b"), instanceLockName("a\\b"));
}

} // namespace
} // namespace tw
