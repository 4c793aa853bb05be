// The alarm list window and the notification window.
#include "Screenshots.h"
#include "alarms/ui/AlarmNotifier.h"
#include "alarms/ui/alarmDialog2.h"
#include "alarms/ui/splashForm.h"

#include "alarms/AlarmList.h"
#include "alarms/ui/FakeAlarmSound.h"
#include "support/TempDir.h"

#include <QCheckBox>
#include <QPainter>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {

// The window's rounded outline: what lies outside its mask stays transparent.
QImage shapedPicture(QWidget& window) {
    QImage shaped(window.size(), QImage::Format_ARGB32);
    shaped.fill(Qt::transparent);
    QPainter painter(&shaped);
    painter.setClipRegion(window.mask());
    painter.drawPixmap(0, 0, window.grab());
    painter.end();
    return shaped;
}

} // namespace

TEST(AlarmScreenshots, AlarmListAndNotification) {
    twtest::TempDir dir;
    dir.write("wakeup.wav", "RIFF");
    dir.write("settings.txt", "[Alarm]\r\nAlarmDisabled=0\r\nNumAlarms=4\r\nRow1a=download\r\nRow1b=per day\r\n"
                              "Row1c=524288000\r\nRow2a=download/upload\r\nRow2b=per month\r\nRow2c=21474836480\r\n"
                              "Row3a=download speed\r\nRow3b=per second\r\nRow3c=1048576\r\nRow4a=upload\r\n"
                              "Row4b=per session\r\nRow4c=104857600\r\n");

    tw::alarmDialog2 alarms(dir.file("settings.txt"), dir.file("wakeup.wav"), nullptr);
    alarms.findChild<QTreeWidget*>("ListView1")
        ->setCurrentItem(alarms.findChild<QTreeWidget*>("ListView1")->topLevelItem(1));
    twtest::saveScreenshot(alarms, "alarms.png");
    alarms.hide();

    tw::AlarmNotifier notifier(dir.file("settings.txt"), dir.file("wakeup.wav"), {});
    notifier.setSoundFactory([] { return new twtest::FakeAlarmSound; });
    ASSERT_TRUE(notifier.show({"Download speed limit of 1 MB/second.", "Download limit of 500 MB/day."}));
    twtest::saveScreenshot(shapedPicture(*notifier.window()), "notification.png");
}

TEST(AlarmScreenshots, NotificationCountingDownToADisconnection) {
    twtest::TempDir dir;
    dir.write("settings.txt", "[Alarm]\r\nAudibleAlarm=0\r\nautomaticDisconnect=1\r\nSecondsDelay=30\r\n");
    tw::AlarmNotifier notifier(dir.file("settings.txt"), dir.file("wakeup.wav"), {});
    notifier.setSoundFactory([] { return new twtest::FakeAlarmSound; });
    ASSERT_TRUE(notifier.show({"Total transfer limit of 50 GB/month."}));
    twtest::saveScreenshot(shapedPicture(*notifier.window()), "notification-disconnect.png");
}
