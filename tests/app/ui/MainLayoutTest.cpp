#include "app/ui/MainLayout.h"

#include <gtest/gtest.h>

#include <cstdlib>

using tw::MainLayout;

TEST(MainLayoutTest, PanelsFillTheWidthInTwoRowsAboveTheChartAtEverySize) {
    for (const auto& [width, height] : {std::pair{429, 460}, {600, 500}, {1001, 777}}) {
        SCOPED_TRACE(testing::Message() << width << " x " << height);
        const MainLayout l = MainLayout::compute(width, height, 36, false);
        const QRect& session = l.sessionPanel;
        // Centred, with Today and This Month side by side below the session, as wide together.
        EXPECT_LE(std::abs(session.left() - (width - 1 - session.right())), 1);
        EXPECT_EQ(l.todayPanel.left(), session.left());
        EXPECT_LE(std::abs(l.monthPanel.right() - session.right()), 1);
        EXPECT_EQ(l.todayPanel.size(), l.monthPanel.size());
        EXPECT_LT(l.todayPanel.right(), l.monthPanel.left());
        EXPECT_EQ(l.todayPanel.top(), l.monthPanel.top());
        EXPECT_LT(session.bottom(), l.todayPanel.top());
        EXPECT_EQ(l.todayPanel.height(), session.height());
        // The chart below them, as wide as the session, down to just above the status bar.
        EXPECT_GT(l.chart.top(), l.todayPanel.bottom());
        EXPECT_EQ(l.chart.left(), session.left());
        EXPECT_EQ(l.chart.width(), session.width());
        EXPECT_LT(l.chart.bottom(), height);
        EXPECT_LE(height - l.chart.bottom(), 5);
        EXPECT_LE(std::abs(2 * l.chartWidth - l.chart.width()), 1) << "a sample per two pixels";
        // Headings, then amounts in the left half of every panel; the speeds in the right half of the session.
        EXPECT_LE(l.headingX + l.headingWidth, l.amountX);
        EXPECT_LE(l.amountX + l.amountWidth, session.width() / 2);
        EXPECT_LE(l.amountX + l.amountWidth, l.todayPanel.width());
        EXPECT_GE(l.speedHeadingX, session.width() / 2);
        EXPECT_LT(l.speedHeadingX, l.speedValueX);
        EXPECT_LE(l.speedValueX + l.speedValueWidth, session.width());
    }
}

TEST(MainLayoutTest, ALargerWindowWidensThePanelsAndLengthensOnlyTheChart) {
    const MainLayout small = MainLayout::compute(600, 500, 36, false);
    const MainLayout large = MainLayout::compute(900, 800, 36, false);
    EXPECT_EQ(large.sessionPanel.width() - small.sessionPanel.width(), 300);
    EXPECT_EQ(large.amountWidth - small.amountWidth, 150);
    EXPECT_EQ(large.speedValueWidth - small.speedValueWidth, 150);
    EXPECT_EQ(large.sessionPanel.height(), small.sessionPanel.height());
    EXPECT_EQ(large.todayPanel.top(), small.todayPanel.top());
    EXPECT_EQ(large.chart.top(), small.chart.top());
    EXPECT_EQ(large.chart.height() - small.chart.height(), 300);
}

TEST(MainLayoutTest, EnlargedChartStartsAtTheTopAndEndsWhereTheNormalOneEnds) {
    const MainLayout normal = MainLayout::compute(600, 500, 36, false);
    const MainLayout enlarged = MainLayout::compute(600, 500, 36, true);
    EXPECT_EQ(enlarged.chart.y(), 0);
    EXPECT_EQ(enlarged.chart.bottom(), normal.chart.bottom());
    EXPECT_EQ(enlarged.chart.width(), normal.chart.width());
}

TEST(MainLayoutTest, ATinyClientGivesNoNegativeSizes) {
    const MainLayout l = MainLayout::compute(5, 5, 36, false);
    EXPECT_GE(l.chart.height(), 0);
    EXPECT_GE(l.amountWidth, 0);
    EXPECT_GE(l.speedValueWidth, 0);
    EXPECT_GE(l.chartWidth, 0);
}

TEST(MainLayoutTest, AllowanceRowsMakeTheSecondRowTallerAndTheChartStartLower) {
    const MainLayout plain = MainLayout::compute(600, 500, 36, false);
    const MainLayout taller = MainLayout::compute(600, 500, 36, false, 2);
    EXPECT_EQ(taller.sessionPanel, plain.sessionPanel);
    EXPECT_EQ(taller.monthPanel.height(), MainLayout::toPixels(1380 + 2 * 330));
    EXPECT_EQ(taller.todayPanel.height(), taller.monthPanel.height());
    EXPECT_EQ(taller.chart.y(), MainLayout::toPixels(3420 + 660));
    EXPECT_EQ(taller.chart.bottom(), plain.chart.bottom());
    EXPECT_GT(taller.chart.y(), taller.monthPanel.bottom());
}
