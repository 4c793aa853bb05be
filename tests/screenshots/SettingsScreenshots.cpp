// The settings window.
#include "Screenshots.h"
#include "config/ui/frmOptions.h"

#include "platform/fake/FakeStartupEntry.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

TEST(SettingsScreenshots, SettingsWindow) {
    twtest::TempDir dir;
    dir.write("settings.txt", "[General]\r\nbytesText=4\r\nbytesCombo=1\r\nrefreshCombo=2\r\nmonthStartDay=15\r\n"
                              "monthlyAllowance=53687091200\r\n[Interfaces]\r\n"
                              "allInterfaces=0\r\nNumInterfaces=2\r\nRow1a=Interface\r\nRow1b=eth0\r\n"
                              "Row2a=IP Range\r\nRow2b=192.168.1.1-192.168.1.254\r\n");
    tw::FakeStartupEntry startup;
    startup.set = true;
    tw::frmOptions settings(dir.file("settings.txt"), startup);
    settings.resize(560, 440);
    twtest::saveScreenshot(settings, "settings.png");
}
