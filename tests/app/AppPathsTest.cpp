#include "app/AppPaths.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

std::string path(const char* text) {
    return std::filesystem::path(text).make_preferred().string();
}
std::string join(const std::string& a, const char* b) {
    return (std::filesystem::path(a) / b).string();
}

} // namespace

TEST(AppPaths, PortableCopyKeepsItsFilesBesideItself) {
    const std::string exeDir = path("/opt/tw");
    const auto p = tw::resolveAppPaths(exeDir, true, false, path("/home/u/.config"), path("/home/u/.local/share"));
    EXPECT_TRUE(p.portable);
    EXPECT_EQ(p.settingsPath, join(exeDir, "settings.txt"));
    EXPECT_EQ(p.historyPath, join(exeDir, "datasource.txt"));
    EXPECT_EQ(p.helpPath(), join(exeDir, "TallywaveHelp.html"));
}

TEST(AppPaths, InstalledOrReadOnlyCopyUsesTheUsersFolders) {
    const std::string config = path("/home/u/.config");
    const std::string data = path("/home/u/.local/share");
    const auto installed = tw::resolveAppPaths(path("/usr/local/bin"), true, true, config, data);
    EXPECT_FALSE(installed.portable);
    EXPECT_EQ(installed.settingsPath, join(join(config, "tallywave"), "settings.txt"));
    EXPECT_EQ(installed.historyPath, join(join(data, "tallywave"), "datasource.txt"));
    EXPECT_EQ(installed.defaultSoundPath(), join(path("/usr/local/share/tallywave"), "wakeup.wav"));

    const auto readOnly = tw::resolveAppPaths(path("/mnt/cd"), false, false, config, data);
    EXPECT_FALSE(readOnly.portable);
    EXPECT_EQ(readOnly.historyPath, join(join(data, "tallywave"), "datasource.txt"));
    EXPECT_EQ(readOnly.helpPath(), join(path("/mnt/cd"), "TallywaveHelp.html"));
}
