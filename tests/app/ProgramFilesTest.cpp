#include "app/ProgramFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

using namespace tw;

namespace {

// Paths compared with "/" separators, as Windows spells them otherwise.
std::string normal(const std::string& path) {
    return std::filesystem::path(path).lexically_normal().generic_string();
}

FileExists among(const std::set<std::string>& files) {
    std::set<std::string> normalised;
    for (const std::string& f : files) {
        normalised.insert(normal(f));
    }
    return [normalised](const std::string& path) { return normalised.count(normal(path)) > 0; };
}

} // namespace

TEST(ProgramFiles, TheCommandFindsItsWindowProgramBesideItselfOrInTheInstalledLibexec) {
    EXPECT_EQ(normal(windowProgramPathFor("/home/u/tw/tallywave", among({"/home/u/tw/tallywave-gui"}))),
              "/home/u/tw/tallywave-gui");
    EXPECT_EQ(normal(windowProgramPathFor("/usr/local/bin/tallywave", among({"/usr/local/libexec/tallywave-gui"}))),
              "/usr/local/libexec/tallywave-gui");
    EXPECT_EQ(normal(windowProgramPathFor("/usr/local/bin/tallywave", among({}))), "");
}

TEST(ProgramFiles, TheWindowProgramIsStartedThroughItsCommandWhereThereIsOne) {
    EXPECT_EQ(normal(commandPathFor("/home/u/tw/tallywave-gui", among({"/home/u/tw/tallywave"}))),
              "/home/u/tw/tallywave");
    EXPECT_EQ(normal(commandPathFor("/usr/local/libexec/tallywave-gui", among({"/usr/local/bin/tallywave"}))),
              "/usr/local/bin/tallywave");
    // Started on its own, or a program that is both (Windows): itself.
    EXPECT_EQ(normal(commandPathFor("/tmp/x/tallywave-gui", among({}))), "/tmp/x/tallywave-gui");
    EXPECT_EQ(normal(commandPathFor("C:/Tallywave/tallywave.exe", among({"C:/Tallywave/tallywave"}))),
              "C:/Tallywave/tallywave.exe");
}
