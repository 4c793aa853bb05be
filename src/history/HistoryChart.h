#pragma once

#include "history/clsADTDay.h"
#include "history/clsADTMonth.h"
#include "history/clsADTYear.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tw {

// What the bars of the log viewer's chart measure, in the order of its type list.
enum class HistoryChartType {
    Download = 0,
    Upload = 1,
    DownloadAndUpload = 2,
    MaxDownloadSpeed = 3,
    MaxUploadSpeed = 4
};

// The two bar colours: green for download, maroon for upload.
enum class ChartSeries { Download, Upload };

// One place on the horizontal axis: a month of a year, a day of a month or a session of a day.
struct ChartSlot {
    bool hasBar = false;
    double downloaded = 0;
    double uploaded = 0;
    double maxDownloadSpeed = 0;
    double maxUploadSpeed = 0;
    std::string label;
};

std::vector<ChartSlot> chartSlotsOfYear(const clsADTYear& year, const std::array<std::string, 12>& monthNames);
std::vector<ChartSlot> chartSlotsOfMonth(const clsADTMonth& month, int year);
std::vector<ChartSlot> chartSlotsOfDay(const clsADTDay& day);

// A round scale maximum at or above the value: 123.4 kB gives 130 kB, 345.6 kB gives 400 kB, below 1 kB gives 1 kB.
// Above 2^40 bytes the same rule continues in units of 2^40.
double niceCeiling(double value);

// "500 bytes", "1.5 kB" (with the given decimal separator), "1 024 bytes"; up to "TB".
std::string axisValueText(double value, char decimalSeparator);

struct ChartText {
    std::string text;
    int x = 0; // axis labels: right edge; slot labels: left edge
    int y = 0; // top of the text
};

struct ChartBar {
    ChartSeries series;
    int x, y, width, height;
};

struct ChartLegendEntry {
    ChartSeries series;
    std::string caption;
};

// Everything the chart draws, in pixels of a picture W wide and H high (y grows downwards).
struct HistoryChartLayout {
    double scaleMax = 0;
    int axisX = 60;          // further right when the axis labels need it
    int axisY = 0;           // the horizontal axis, H - 15 (higher when the slot labels need it)
    std::vector<int> gridYs; // dotted lines from axisX to W
    std::vector<ChartText> axisLabels;
    std::vector<ChartBar> bars;
    std::vector<ChartText> slotLabels;
    std::vector<ChartLegendEntry> legend;
};

struct HistoryChartRequest {
    HistoryChartType type = HistoryChartType::DownloadAndUpload;
    int width = 0;
    int height = 0;
    bool enlarged = false;              // twice the grid lines and axis labels
    bool dropOverlappingLabels = false; // session labels: each that would overlap the last printed one is left out;
                                        // otherwise labels too wide for their slots are thinned to every n-th
    char decimalSeparator = '.';
    std::function<int(std::string_view)> textWidth; // pixels of a text in the chart's font
    int textHeight = 0;                             // pixels of a line of text in the chart's font
};

HistoryChartLayout layoutHistoryChart(const std::vector<ChartSlot>& slots, const HistoryChartRequest& request);

} // namespace tw
