#include "alarms/ui/splashForm.h"
#include "alarms/ui/AlarmNotifier.h"
#include "widgets/ui/clsButton.h"

#include "FakeAlarmSound.h"
#include "support/TempDir.h"

#include <QDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QPointer>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QWindow>
#include <filesystem>
#include <gtest/gtest.h>

namespace {

class NotificationTest : public testing::Test {
protected:
    NotificationTest()
        : notifier(dir.file("settings.txt"), dir.file("wakeup.wav"), [this] { return otherWindowOpen; }) {
        dir.write("wakeup.wav", "RIFF");
        notifier.setSoundFactory([this] {
            sound = new twtest::FakeAlarmSound;
            return sound;
        });
    }
    ~NotificationTest() override { notifier.unload(); }

    void settings(const std::string& alarmSection) { dir.write("settings.txt", "[Alarm]\r\n" + alarmSection); }
    static void flushDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    twtest::TempDir dir;
    bool otherWindowOpen = false;
    tw::AlarmNotifier notifier;
    QPointer<twtest::FakeAlarmSound> sound;
};

} // namespace

TEST_F(NotificationTest, listsTheDescriptionsInTheGivenOrderAndAppendsLaterOnesBelowWithoutReplayingTheSound) {
    settings("AudibleAlarm=1\r\n");
    ASSERT_TRUE(notifier.show({"Upload limit of 5 MB/day.", "Download limit of 1 kB/session."}));
    tw::splashForm* window = notifier.window();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->windowTitle(), "Tallywave Alarm!");
    ASSERT_TRUE(sound);
    EXPECT_EQ(sound->played, QStringList{QString::fromStdString(dir.file("wakeup.wav"))});

    ASSERT_TRUE(notifier.show({"Total speed limit of 1500 bytes/second."}));
    EXPECT_EQ(notifier.window(), window);
    EXPECT_EQ(window->lines(), (QStringList{"Upload limit of 5 MB/day.", "Download limit of 1 kB/session.",
                                            "Total speed limit of 1500 bytes/second."}));
    EXPECT_EQ(sound->played.size(), 1);
}

// Only with the audible key and a sound file that is there; the chosen file, not the default.
TEST_F(NotificationTest, playsTheChosenFileOnlyWhenAudibleAndTheFileIsThere) {
    dir.write("bell.wav", "RIFF");
    const QString bell = QString::fromStdString(dir.file("bell.wav"));
    for (const auto& [alarmSection, played] : std::vector<std::pair<std::string, QStringList>>{
             {"AudioPath=" + dir.file("bell.wav") + "\r\n", {}},
             {"AudibleAlarm=1\r\nAudioPath=" + dir.file("missing.wav") + "\r\n", {}},
             {"AudibleAlarm=1\r\nAudioPath=" + dir.file("bell.wav") + "\r\n", {bell}}}) {
        settings(alarmSection);
        ASSERT_TRUE(notifier.show({"Download limit of 1 kB/session."}));
        EXPECT_TRUE(notifier.window()->isVisible());
        ASSERT_TRUE(sound);
        EXPECT_EQ(sound->played, played) << alarmSection;
        notifier.unload();
    }
}

TEST_F(NotificationTest, isNotShownWhileAnotherWindowOfTheProgramIsOpen) {
    otherWindowOpen = true;
    EXPECT_FALSE(notifier.show({"Download limit of 1 kB/session."}));
    EXPECT_EQ(notifier.window(), nullptr);
    otherWindowOpen = false;
    EXPECT_TRUE(notifier.show({"Download limit of 1 kB/session."}));
}

TEST_F(NotificationTest, hiddenWindowIsUnloadedAndAFreshOneShown) {
    ASSERT_TRUE(notifier.show({"first"}));
    QPointer<tw::splashForm> old = notifier.window();
    old->hide();
    ASSERT_TRUE(notifier.show({"second"}));
    EXPECT_NE(notifier.window(), old);
    flushDeletes();
    EXPECT_TRUE(old.isNull());
    EXPECT_EQ(notifier.window()->lines(), QStringList{"second"});
}

TEST_F(NotificationTest, okUnloadsTheWindowAndStopsTheSound) {
    settings("AudibleAlarm=1\r\n");
    ASSERT_TRUE(notifier.show({"x"}));
    QPointer<tw::splashForm> window = notifier.window();
    auto* ok = window->findChild<tw::clsButton*>("okButton");
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->caption(), "OK");
    QPointer<twtest::FakeAlarmSound> played = sound;
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_FALSE(window && window->isVisible());
    EXPECT_GE(played ? played->stops : 1, 1);
    flushDeletes();
    EXPECT_TRUE(window.isNull());
    EXPECT_EQ(notifier.window(), nullptr);
}

TEST_F(NotificationTest, openButtonAsksForTheMainWindowAndUnloads) {
    QSignalSpy open(&notifier, &tw::AlarmNotifier::openMainWindowRequested);
    // The main window may unload the notification from inside the signal.
    QObject::connect(&notifier, &tw::AlarmNotifier::openMainWindowRequested, [this] { notifier.unload(); });
    ASSERT_TRUE(notifier.show({"x"}));
    QPointer<tw::splashForm> window = notifier.window();
    auto* button = window->findChild<tw::clsButton*>("openButton");
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->caption(), "Open Tallywave");
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(open.count(), 1);
    flushDeletes();
    EXPECT_TRUE(window.isNull());
}

TEST_F(NotificationTest, windowIsRoundedOnTopAndDoesNotTakeTheFocus) {
    ASSERT_TRUE(notifier.show({"x"}));
    tw::splashForm* window = notifier.window();
    EXPECT_TRUE(window->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(window->testAttribute(Qt::WA_ShowWithoutActivating));
    EXPECT_FALSE(window->mask().contains(QPoint(0, 0)));
    EXPECT_FALSE(window->mask().contains(QPoint(window->width() - 1, window->height() - 1)));
    EXPECT_TRUE(window->mask().contains(QPoint(window->width() / 2, 1)));
    EXPECT_TRUE(window->mask().contains(QPoint(window->width() / 2, window->height() / 2)));
    auto* heading = window->findChild<QLabel*>("headingLabel");
    ASSERT_NE(heading, nullptr);
    EXPECT_EQ(heading->text(), "Alarms triggered:");
    EXPECT_EQ(heading->font().family(), "Verdana");
}

TEST_F(NotificationTest, isAsTransparentAsTheAlarmWindowStoredAndOpaqueUntilThen) {
    // The first case has no settings file at all.
    for (const auto& [alarmSection, opacity] :
         std::vector<std::pair<std::string, double>>{{"", 1.0},
                                                     {"isInvisible=1\r\nPercentInvisible=3\r\n", 0.80},
                                                     {"isInvisible=1\r\nPercentInvisible=9\r\n", 0.50},
                                                     {"isInvisible=0\r\nPercentInvisible=9\r\n", 1.0}}) {
        if (!alarmSection.empty()) {
            settings(alarmSection);
        }
        ASSERT_TRUE(notifier.show({"x"}));
        EXPECT_NEAR(notifier.window()->windowOpacity(), opacity, 0.005) << alarmSection;
        notifier.unload();
    }
}

namespace {

// Under a window manager the window's first placement may arrive after the show and undo an earlier move: wait for
// it, then for the move.
void placeAt(QWidget* window, QPoint at) {
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    QTest::qWait(50);
    window->move(at);
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->pos() == at; }, 2000));
}

} // namespace

// Input goes in through the window system's entry point, so Qt routes it as it routes the user's: a press on a child
// grabs the mouse for that child, and moves the child ignores travel up to the window.
TEST_F(NotificationTest, draggingTheBackgroundMovesTheWindowButKeepsItOnTheScreen) {
    ASSERT_TRUE(notifier.show({"x"}));
    tw::splashForm* window = notifier.window();
    placeAt(window, QPoint(100, 100));
    QWindow* handle = window->windowHandle();
    ASSERT_NE(handle, nullptr);
    const QRect screen = window->screen()->geometry();
    QTest::mousePress(handle, Qt::LeftButton, {}, QPoint(5, 100));
    QTest::mouseMove(handle, QPoint(45, 130));
    EXPECT_EQ(window->pos(), QPoint(140, 130));

    QTest::mouseMove(handle, QPoint(screen.width() * 3, -5000));
    EXPECT_EQ(window->pos(), QPoint(screen.right() + 1 - window->width(), screen.top()));
    QTest::mouseRelease(handle, Qt::LeftButton, {}, QPoint(5, 100));
}

TEST_F(NotificationTest, pressingAButtonAndMovingTheMouseLeavesTheWindowWhereItIs) {
    ASSERT_TRUE(notifier.show({"x"}));
    QPointer<tw::splashForm> window = notifier.window();
    placeAt(window, QPoint(100, 100));
    QWindow* handle = window->windowHandle();
    for (const char* name : {"okButton", "openButton"}) {
        auto* button = window->findChild<tw::clsButton*>(name);
        ASSERT_NE(button, nullptr);
        const QPoint onButton = button->mapTo(window.data(), button->rect().center());
        QTest::mousePress(handle, Qt::LeftButton, {}, onButton);
        EXPECT_TRUE(button->isPressed());
        QTest::mouseMove(handle, onButton + QPoint(-60, -70));
        EXPECT_EQ(window->pos(), QPoint(100, 100)) << name;
        // Released away from the button: no click, the window stays.
        QTest::mouseRelease(handle, Qt::LeftButton, {}, onButton + QPoint(-60, -70));
        ASSERT_TRUE(window && window->isVisible()) << name;
    }
    // A later drag from the background starts from its own press.
    QTest::mousePress(handle, Qt::LeftButton, {}, QPoint(5, 100));
    QTest::mouseMove(handle, QPoint(15, 90));
    EXPECT_EQ(window->pos(), QPoint(110, 90));
    QTest::mouseRelease(handle, Qt::LeftButton, {}, QPoint(15, 90));
}

TEST(AlarmSound, playingWithoutASoundDeviceIsNotAnError) {
    const std::string wav = TALLYWAVE_SOURCE_DIR "/src/resources/wakeup.wav";
    tw::AlarmSound sound;
    EXPECT_TRUE(sound.play(QString::fromStdString(wav)));
    QTest::qWait(400); // loading and playing happen in the background
    sound.stop();
    EXPECT_TRUE(sound.play(QString::fromStdString(wav))); // a second alarm plays again
    QTest::qWait(100);
}
