#include "app/ui/frmSplash.h"

#include <QLabel>
#include <QProgressBar>
#include <QTimer>
#include <gtest/gtest.h>

using tw::frmSplash;

TEST(frmSplashTest, StartsEmptyAndClampsTheProgress) {
    frmSplash splash;
    auto* bar = splash.findChild<QProgressBar*>("ProgressBar1");
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->value(), 0);
    EXPECT_EQ(splash.statusText(), "");
    tw::ProgressSink& sink = splash;
    sink.setProgress(40);
    EXPECT_EQ(bar->value(), 40);
    sink.setProgress(140);
    EXPECT_EQ(bar->value(), 100);
    sink.setProgress(-5);
    EXPECT_EQ(bar->value(), 0);
    sink.setLabel("Parsing the history file");
    EXPECT_EQ(splash.statusText(), "Parsing the history file");
}

TEST(frmSplashTest, UpdateLabelLetsTheWindowWorkWhileTheCallerLoops) {
    frmSplash splash;
    splash.show();
    int fired = 0;
    QTimer timer;
    timer.setInterval(0);
    QObject::connect(&timer, &QTimer::timeout, [&fired] { ++fired; });
    timer.start();
    for (int i = 0; i < 5; ++i) {
        splash.updateLabel(QStringLiteral("Opening the history file"));
    }
    EXPECT_GT(fired, 0); // pending events ran inside the caller's loop
}
