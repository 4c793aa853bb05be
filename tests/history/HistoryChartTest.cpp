#include "history/HistoryChart.h"
#include "history/clsADT.h"

#include <gmock/gmock.h>

using namespace tw;

namespace {

clsSessionData session(const char* start, double down, double up = 0) {
    clsSessionData s;
    s.startDate = *DateTime::parse(start);
    s.stopDate = s.startDate;
    s.downloaded = down;
    s.uploaded = up;
    return s;
}

const std::array<std::string, 12> kMonths = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                             "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

HistoryChartRequest request(HistoryChartType type, int w = 600, int h = 218) {
    HistoryChartRequest r;
    r.type = type;
    r.width = w;
    r.height = h;
    r.textWidth = [](std::string_view t) { return static_cast<int>(t.size()) * 7; };
    return r;
}

} // namespace

TEST(HistoryChart, NiceCeilingRoundsUpToTheNextRoundAmount) {
    EXPECT_DOUBLE_EQ(niceCeiling(123.4 * 1024), 130 * 1024);
    EXPECT_DOUBLE_EQ(niceCeiling(345.6 * 1024), 400 * 1024);
    EXPECT_DOUBLE_EQ(niceCeiling(500), 1024);
    EXPECT_DOUBLE_EQ(niceCeiling(0), 1024);
    EXPECT_DOUBLE_EQ(niceCeiling(2.5 * 1073741824.0), 3 * 1073741824.0);
    EXPECT_DOUBLE_EQ(niceCeiling(11.2 * 1048576), 12 * 1048576);
    // Beyond 2^40 the scale goes on in units of 2^40 instead of collapsing.
    EXPECT_DOUBLE_EQ(niceCeiling(3.5 * 1099511627776.0), 4 * 1099511627776.0);
}

TEST(HistoryChart, AxisTextsUseThePowerOf1024Units) {
    EXPECT_EQ(axisValueText(500, '.'), "500 bytes");
    EXPECT_EQ(axisValueText(1024, '.'), "1 024 bytes");
    EXPECT_EQ(axisValueText(1536, ','), "1,5 kB");
    EXPECT_EQ(axisValueText(400 * 1024, '.'), "400.0 kB");
    EXPECT_EQ(axisValueText(2.0 * 1099511627776.0, '.'), "2.0 TB");
}

TEST(HistoryChart, AYearHasTwelveLabelledSlotsWithBarsOnlyForItsMonthsAndAMonthOnePerCalendarDay) {
    clsADT tree;
    tree.insertLog(session("2004-03-06 09:00", 100));
    tree.insertLog(session("2008-02-29 09:00", 1));
    tree.insertLog(session("2005-02-01 09:00", 1));
    tree.updateStats();
    EXPECT_EQ(chartSlotsOfMonth(*tree.getMonth(2008, 2), 2008).size(), 29u);
    EXPECT_EQ(chartSlotsOfMonth(*tree.getMonth(2005, 2), 2005).size(), 28u);
    EXPECT_TRUE(chartSlotsOfMonth(*tree.getMonth(2008, 2), 2008)[28].hasBar);
    auto slots = chartSlotsOfYear(*tree.getYear(2004), kMonths);
    ASSERT_EQ(slots.size(), 12u);
    EXPECT_EQ(std::count_if(slots.begin(), slots.end(), [](const ChartSlot& s) { return s.hasBar; }), 1);
    EXPECT_TRUE(slots[2].hasBar);
    HistoryChartLayout layout = layoutHistoryChart(slots, request(HistoryChartType::Download));
    ASSERT_EQ(layout.bars.size(), 1u);
    EXPECT_EQ(layout.slotLabels.size(), 12u);
    EXPECT_EQ(layout.slotLabels[2].text, "Mar");
    // The bar stands over the March label.
    const ChartBar& bar = layout.bars[0];
    const int labelCentre = layout.slotLabels[2].x + 3 * 7 / 2;
    EXPECT_NEAR(bar.x + bar.width / 2, labelCentre, 1);
}

TEST(HistoryChart, BarGeometryFollowsTheSlotCount) {
    std::vector<ChartSlot> slots(12);
    slots[0].hasBar = true;
    slots[0].downloaded = 1024;
    HistoryChartRequest r = request(HistoryChartType::Download, 600, 218);
    r.textWidth = [](std::string_view t) { return static_cast<int>(t.size()) * 6; }; // "282 bytes" fits left of 60
    HistoryChartLayout layout = layoutHistoryChart(slots, r);
    // w = (600 - 60 - 48) / 12 = 41; g = (540 - 492) / 13 = 3
    ASSERT_EQ(layout.bars.size(), 1u);
    EXPECT_EQ(layout.bars[0].x, 63);
    EXPECT_EQ(layout.bars[0].width, 41);
    EXPECT_EQ(layout.slotLabels[1].x, 63 + 44 + 41 / 2); // an empty label, centred under the second bar
    // B = 200; 1024 of a 1126.4 scale (1.1 kB)
    EXPECT_EQ(layout.bars[0].height, static_cast<int>(std::lround(1024 / 1126.4 * 200)));
    EXPECT_EQ(layout.bars[0].y + layout.bars[0].height, 218 - 16);
}

TEST(HistoryChart, StackedBarsShareOneScale) {
    std::vector<ChartSlot> slots(1);
    slots[0].hasBar = true;
    slots[0].downloaded = 200 * 1024;
    slots[0].uploaded = 100 * 1024;
    HistoryChartLayout layout = layoutHistoryChart(slots, request(HistoryChartType::DownloadAndUpload, 600, 418));
    ASSERT_EQ(layout.bars.size(), 2u);
    EXPECT_EQ(layout.bars[0].series, ChartSeries::Download);
    EXPECT_EQ(layout.bars[1].series, ChartSeries::Upload);
    EXPECT_EQ(layout.bars[0].height, 2 * layout.bars[1].height);
    EXPECT_EQ(layout.bars[1].y + layout.bars[1].height, layout.bars[0].y);
    EXPECT_EQ(layout.legend.size(), 2u);
}

TEST(HistoryChart, EnlargingDoublesTheGridAndAxisLabels) {
    std::vector<ChartSlot> slots(1);
    HistoryChartRequest r = request(HistoryChartType::MaxDownloadSpeed);
    EXPECT_EQ(layoutHistoryChart(slots, r).gridYs.size(), 4u);
    r.enlarged = true;
    HistoryChartLayout layout = layoutHistoryChart(slots, r);
    EXPECT_EQ(layout.gridYs.size(), 8u);
    EXPECT_EQ(layout.axisLabels.size(), 8u);
    EXPECT_EQ(layout.axisLabels[0].text, "1 024 bytes/s");
}

TEST(HistoryChart, CrowdedSessionLabelsNeverOverlap) {
    clsADT tree;
    for (int i = 0; i < 60; ++i) {
        char start[32];
        std::snprintf(start, sizeof start, "2004-05-06 %02d:%02d", i / 6 + 8, (i % 6) * 10);
        tree.insertLog(session(start, 1 + i));
    }
    auto slots = chartSlotsOfDay(*tree.getDay(2004, 5, 6));
    HistoryChartRequest r = request(HistoryChartType::Download, 500);
    r.dropOverlappingLabels = true;
    HistoryChartLayout layout = layoutHistoryChart(slots, r);
    EXPECT_LT(layout.slotLabels.size(), slots.size());
    EXPECT_GT(layout.slotLabels.size(), 1u);
    EXPECT_EQ(layout.slotLabels[0].text, "08:00");
    for (std::size_t i = 1; i < layout.slotLabels.size(); ++i) {
        EXPECT_GE(layout.slotLabels[i].x, layout.slotLabels[i - 1].x + 35);
    }
}

// The usual 60-pixel axis place is kept while the labels fit; wider labels move the axis, never shrink the text.
TEST(HistoryChart, AxisLabelsTooWideForTheirPlaceMoveTheAxisRight) {
    std::vector<ChartSlot> slots(1);
    slots[0].hasBar = true;
    slots[0].maxDownloadSpeed = 900;
    HistoryChartLayout layout = layoutHistoryChart(slots, request(HistoryChartType::MaxDownloadSpeed));
    ASSERT_EQ(layout.axisLabels[0].text, "1 024 bytes/s"); // 91 pixels at 7 a character
    EXPECT_EQ(layout.axisX, 2 + 91 + 2);
    for (const ChartText& label : layout.axisLabels) {
        EXPECT_EQ(label.x, layout.axisX - 2);
        EXPECT_GE(label.x - static_cast<int>(label.text.size()) * 7, 0) << label.text;
    }
    ASSERT_EQ(layout.bars.size(), 1u);
    EXPECT_EQ(layout.bars[0].x, layout.axisX + 3);
    EXPECT_LE(layout.bars[0].x + layout.bars[0].width, 600);
}

TEST(HistoryChart, DayNumbersTooWideForTheirSlotsAreThinnedEvenlyAndNeverOverlap) {
    clsADT tree;
    tree.insertLog(session("2004-05-06 09:00", 100));
    tree.updateStats();
    const auto slots = chartSlotsOfMonth(*tree.getMonth(2004, 5), 2004);
    EXPECT_EQ(layoutHistoryChart(slots, request(HistoryChartType::Download, 1200)).slotLabels.size(), 31u);

    const HistoryChartLayout narrow = layoutHistoryChart(slots, request(HistoryChartType::Download, 400));
    ASSERT_GT(narrow.slotLabels.size(), 5u);
    ASSERT_LT(narrow.slotLabels.size(), 31u);
    EXPECT_EQ(narrow.slotLabels[0].text, "1");
    EXPECT_EQ(narrow.axisY, 218 - 15);
    const int step = std::stoi(narrow.slotLabels[1].text) - 1;
    for (std::size_t i = 1; i < narrow.slotLabels.size(); ++i) {
        const ChartText& before = narrow.slotLabels[i - 1];
        EXPECT_EQ(std::stoi(narrow.slotLabels[i].text), 1 + static_cast<int>(i) * step);
        EXPECT_GT(narrow.slotLabels[i].x, before.x + static_cast<int>(before.text.size()) * 7);
    }
}

TEST(HistoryChart, ATallFontRaisesTheAxisSoTheSlotLabelsStayInThePicture) {
    std::vector<ChartSlot> slots(3);
    slots[1].hasBar = true;
    slots[1].downloaded = 1000;
    HistoryChartRequest r = request(HistoryChartType::Download, 600, 218);
    r.textHeight = 20;
    const HistoryChartLayout layout = layoutHistoryChart(slots, r);
    for (const ChartText& label : layout.slotLabels) {
        EXPECT_LE(label.y + r.textHeight, 218);
    }
    ASSERT_EQ(layout.bars.size(), 1u);
    EXPECT_EQ(layout.bars[0].y + layout.bars[0].height, layout.axisY - 1);
    EXPECT_LT(layout.axisY, 218 - 15);
}
