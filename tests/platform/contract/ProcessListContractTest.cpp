#include "platform/ProcessList.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace tw {
namespace {

TEST(ProcessListContract, SnapshotHoldsThisProcessAsTheSameUserUnderItsLowerCaseFileName) {
    const auto list = makeSystemProcessList();
    const std::string own = list->ownExeFileName();
    ASSERT_FALSE(own.empty());
    EXPECT_EQ(own.find_first_of("/\\"), std::string::npos);
    EXPECT_TRUE(std::none_of(own.begin(), own.end(), [](char c) { return c >= 'A' && c <= 'Z'; })) << own;

    const auto processes = list->snapshot();
    EXPECT_GT(processes.size(), 1u);
    const auto self = std::find_if(processes.begin(), processes.end(),
                                   [&](const ProcessInfo& p) { return p.exeFileName == own && p.sameUser; });
    EXPECT_NE(self, processes.end()) << "no process named " << own;
}

} // namespace
} // namespace tw
