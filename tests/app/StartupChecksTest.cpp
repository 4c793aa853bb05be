#include "app/StartupChecks.h"
#include "platform/fake/FakeProcessList.h"

#include <gtest/gtest.h>

using tw::ProcessInfo;

TEST(StartupChecks, OnlyAnotherUsersCopyWithTheSameFileNameCounts) {
    tw::FakeProcessList list;
    list.ownName = "tallywave";
    list.processes = {ProcessInfo{10, true, "tallywave"}, ProcessInfo{11, true, "tallywave"},
                      ProcessInfo{12, false, "tallywave-old"}, ProcessInfo{13, false, "bash"}};
    EXPECT_FALSE(tw::anotherUserRunsCopy(list)) << "own copies and other names are not another user's copy";
    list.processes.push_back(ProcessInfo{14, false, "tallywave"});
    EXPECT_TRUE(tw::anotherUserRunsCopy(list));
}

TEST(StartupChecks, MessageNamesTheProgramTwiceOnTwoLines) {
    EXPECT_EQ(tw::anotherUserMessage(), "Another user logged on to this computer is already running Tallywave.\n"
                                        "Switch to that user and run Tallywave from there.");
}
