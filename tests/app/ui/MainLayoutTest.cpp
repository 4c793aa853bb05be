#include "app/ui/MainLayout.h"

#include <gtest/gtest.h>

#include <cmath>

using tw::MainLayout;

TEST(MainLayoutTest, PanelsAndChartFollowTheTwipsRules) {
    // 600 x 500 pixels = 9000 x 7500 twips.
    const MainLayout l = MainLayout::compute(600, 500, 36, false);
    EXPECT_EQ(l.sessionPanel.width(), MainLayout::toPixels(9000 - 170));
    EXPECT_EQ(l.chart.width(), l.sessionPanel.width());
    const int halfTw = (9000 - 170) / 2;
    EXPECT_EQ(l.amountWidth, MainLayout::toPixels(halfTw - 1200));
    EXPECT_EQ(l.speedHeadingX, MainLayout::toPixels(halfTw + 160));
    EXPECT_EQ(l.speedValueX, MainLayout::toPixels(halfTw + 1490));
    EXPECT_EQ(l.speedValueWidth, MainLayout::toPixels(halfTw - 1670));
    // Today and This Month share the row: (8830 - 90) / 2 = 4370 twips each, This Month flush right.
    EXPECT_EQ(l.todayPanel.width(), MainLayout::toPixels(4370));
    EXPECT_EQ(l.monthPanel.width(), l.todayPanel.width());
    EXPECT_NEAR(l.monthPanel.right(), l.sessionPanel.right(), 1);
    EXPECT_EQ(l.todayPanel.x(), l.sessionPanel.x());
    EXPECT_EQ(l.chart.y(), MainLayout::toPixels(3420));
    EXPECT_EQ(l.chartWidth, static_cast<int>(std::nearbyint(l.chart.width() / 2.0))); // halves to even
}

TEST(MainLayoutTest, EnlargedChartStartsAtTheTopAndEndsWhereTheNormalOneEnds) {
    const MainLayout normal = MainLayout::compute(600, 500, 36, false);
    const MainLayout enlarged = MainLayout::compute(600, 500, 36, true);
    EXPECT_EQ(enlarged.chart.y(), 0);
    EXPECT_EQ(enlarged.chart.bottom(), normal.chart.bottom());
    EXPECT_EQ(enlarged.chart.height() - normal.chart.height(), MainLayout::toPixels(3420));
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
