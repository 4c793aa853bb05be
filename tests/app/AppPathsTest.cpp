#include "app/AppPaths.h"

#include <gtest/gtest.h>

TEST(AppPaths, PortableCopyKeepsItsFilesBesideItself) {
    const auto p = tw::resolveAppPaths("/opt/tw", true, false, {"/home/u", "", ""});
    EXPECT_TRUE(p.portable);
    EXPECT_EQ(p.settingsPath, "/opt/tw/settings.txt");
    EXPECT_EQ(p.historyPath, "/opt/tw/datasource.txt");
    EXPECT_EQ(p.helpPath(), "/opt/tw/TallywaveHelp.html");
}

TEST(AppPaths, InstalledOrReadOnlyCopyUsesTheXdgFolders) {
    const auto installed = tw::resolveAppPaths("/usr/local/bin", true, true, {"/home/u", "", ""});
    EXPECT_FALSE(installed.portable);
    EXPECT_EQ(installed.settingsPath, "/home/u/.config/tallywave/settings.txt");
    EXPECT_EQ(installed.historyPath, "/home/u/.local/share/tallywave/datasource.txt");
    EXPECT_EQ(installed.defaultSoundPath(), "/usr/local/share/tallywave/wakeup.wav");

    const auto readOnly = tw::resolveAppPaths("/mnt/cd", false, false, {"/home/u", "/cfg", "/data"});
    EXPECT_EQ(readOnly.settingsPath, "/cfg/tallywave/settings.txt");
    EXPECT_EQ(readOnly.historyPath, "/data/tallywave/datasource.txt");
    EXPECT_EQ(readOnly.helpPath(), "/mnt/cd/TallywaveHelp.html");
}
