#include "app/ChartData.h"

#include <gtest/gtest.h>

using tw::ChartData;

TEST(ChartDataTest, KeepsTheNewestSamplesFirstAndDropsTheOldest) {
    ChartData data;
    data.setSize(3);
    data.insertValues(10, 1);
    data.insertValues(20, 2);
    data.insertValues(30, 3);
    data.insertValues(40, 4);
    EXPECT_EQ(data.getValuesAtPosition(0), std::make_pair(40, 4));
    EXPECT_EQ(data.getValuesAtPosition(1), std::make_pair(30, 3));
    EXPECT_EQ(data.getValuesAtPosition(2), std::make_pair(20, 2));
    EXPECT_EQ(data.getValuesAtPosition(3), std::make_pair(0, 0)); // the spare place is never written
    EXPECT_EQ(data.getMaxValue(), 40);
}

TEST(ChartDataTest, MaximumFallsWhenThePeakScrollsOut) {
    ChartData data;
    data.setSize(2);
    data.insertValues(0, 900);
    data.insertValues(5, 0);
    EXPECT_EQ(data.getMaxValue(), 900);
    data.insertValues(7, 1);
    EXPECT_EQ(data.getMaxValue(), 7);
}

TEST(ChartDataTest, ResizingKeepsTheNewestSamplesAndAddsEmptyPlaces) {
    ChartData data;
    data.setSize(4);
    for (int v = 1; v <= 4; ++v) {
        data.insertValues(v, -v);
    }
    data.setSize(2);
    EXPECT_EQ(data.getSize(), 2);
    EXPECT_EQ(data.getValuesAtPosition(0), std::make_pair(4, -4));
    EXPECT_EQ(data.getValuesAtPosition(1), std::make_pair(3, -3));
    data.setSize(5);
    EXPECT_EQ(data.getValuesAtPosition(1), std::make_pair(3, -3));
    EXPECT_EQ(data.getValuesAtPosition(4), std::make_pair(0, 0));
    data.insertValues(9, 9);
    EXPECT_EQ(data.getValuesAtPosition(2), std::make_pair(3, -3));
}

TEST(ChartDataTest, ClearEmptiesTheSeriesButKeepsSizeAndMaximumUntilTheNextInsert) {
    ChartData data;
    data.setSize(200);
    data.insertValues(1536, 20);
    data.clear();
    EXPECT_EQ(data.getSize(), 200);
    EXPECT_EQ(data.getValuesAtPosition(0), std::make_pair(0, 0));
    EXPECT_EQ(data.getMaxValue(), 1536);
    data.insertValues(0, 0);
    EXPECT_EQ(data.getMaxValue(), 0);
}

TEST(ChartDataTest, SizeZeroOrNegativeIsSafe) {
    ChartData data;
    EXPECT_EQ(data.getSize(), 0);
    data.insertValues(5, 6);
    EXPECT_EQ(data.getMaxValue(), 6);
    data.setSize(-3);
    EXPECT_EQ(data.getSize(), 0);
    EXPECT_EQ(data.getValuesAtPosition(-1), std::make_pair(0, 0));
    EXPECT_EQ(data.getValuesAtPosition(7), std::make_pair(0, 0));
}

TEST(ChartDataTest, ScaleTextUsesBytesKilobytesOrMegabytesWithOneDecimalAtMost) {
    EXPECT_EQ(tw::chartScaleText(5), "5 bytes");
    EXPECT_EQ(tw::chartScaleText(1023), "1023 bytes");
    EXPECT_EQ(tw::chartScaleText(1536), "1.5 kB");
    EXPECT_EQ(tw::chartScaleText(1536, ','), "1,5 kB");
    EXPECT_EQ(tw::chartScaleText(2048), "2 kB");
    EXPECT_EQ(tw::chartScaleText(3145728), "3 MB");
    EXPECT_EQ(tw::chartScaleText(1048575), "1024 kB");
}
