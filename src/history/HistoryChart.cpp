#include "history/HistoryChart.h"

#include "common/ByteUnits.h"
#include "common/DateTime.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

namespace tw {

namespace {

constexpr int kAxisX = 60;
constexpr int kLabelToAxis = 2; // axis labels end 2 pixels left of the axis
constexpr int kLabelMargin = 2; // and keep as much room at the picture's left edge
constexpr int kBarToAxis = 3;   // the first bar starts 3 pixels right of the axis
constexpr int kMaxBarWidth = 50;
constexpr int kAxisBottom = 15;    // the axis stands 15 pixels above the picture's bottom
constexpr int kLabelBelowBase = 3; // slot labels start 3 pixels below the bars' base line
constexpr int kLabelGap = 4;       // the least room between two slot labels
// Month and day labels are thinned to every n-th slot, the smallest n of these that keeps them apart.
constexpr int kLabelSteps[] = {1, 2, 3, 5, 7, 10, 15, 20, 30};

int roundToInt(double v) {
    return static_cast<int>(std::lround(v));
}

int digitCount(double wholeNumber) {
    int digits = 1;
    while (wholeNumber >= 10) {
        wholeNumber = std::floor(wholeNumber / 10);
        ++digits;
    }
    return digits;
}

ChartSlot slotOf(const NodeStatistics& node, std::string label) {
    ChartSlot s;
    s.hasBar = true;
    s.downloaded = static_cast<double>(node.downloadedBytes());
    s.uploaded = static_cast<double>(node.uploadedBytes());
    s.maxDownloadSpeed = node.getMaxDLSpeed();
    s.maxUploadSpeed = node.getMaxULSpeed();
    s.label = std::move(label);
    return s;
}

double valueOf(const ChartSlot& s, HistoryChartType type) {
    switch (type) {
    case HistoryChartType::Download:
        return s.downloaded;
    case HistoryChartType::Upload:
        return s.uploaded;
    case HistoryChartType::DownloadAndUpload:
        return s.downloaded + s.uploaded;
    case HistoryChartType::MaxDownloadSpeed:
        return s.maxDownloadSpeed;
    case HistoryChartType::MaxUploadSpeed:
        return s.maxUploadSpeed;
    }
    return 0;
}

std::string groupedWhole(double v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.0f", v);
    return groupDigits(buf);
}

} // namespace

std::vector<ChartSlot> chartSlotsOfYear(const clsADTYear& year, const std::array<std::string, 12>& monthNames) {
    std::vector<ChartSlot> slots(12);
    for (int m = 1; m <= 12; ++m) {
        slots[m - 1].label = monthNames[m - 1];
    }
    for (const clsADTMonth& month : year.getMonths()) {
        if (month.getMonth() >= 1 && month.getMonth() <= 12) {
            slots[month.getMonth() - 1] = slotOf(month, monthNames[month.getMonth() - 1]);
        }
    }
    return slots;
}

std::vector<ChartSlot> chartSlotsOfMonth(const clsADTMonth& month, int year) {
    int days = daysInMonth(year, month.getMonth());
    std::vector<ChartSlot> slots(static_cast<std::size_t>(std::max(days, 0)));
    for (int d = 1; d <= days; ++d) {
        slots[d - 1].label = std::to_string(d);
    }
    for (const clsADTDay& day : month.getDays()) {
        if (day.getDay() >= 1 && day.getDay() <= days) {
            slots[day.getDay() - 1] = slotOf(day, std::to_string(day.getDay()));
        }
    }
    return slots;
}

std::vector<ChartSlot> chartSlotsOfDay(const clsADTDay& day) {
    std::vector<ChartSlot> slots;
    slots.reserve(day.getSessions().size());
    for (const clsSessionData& s : day.getSessions()) {
        ChartSlot slot;
        slot.hasBar = true;
        slot.downloaded = s.downloaded;
        slot.uploaded = s.uploaded;
        slot.maxDownloadSpeed = s.maxDownloadSpeed;
        slot.maxUploadSpeed = s.maxUploadSpeed;
        char buf[8];
        std::snprintf(buf, sizeof buf, "%02d:%02d", s.startDate.hour % 100, s.startDate.minute % 100);
        slot.label = buf;
        slots.push_back(std::move(slot));
    }
    return slots;
}

double niceCeiling(double value) {
    const double unit = bytesPerUnit(largestUnitExceeded(value, kUnitKB, kUnitTB));
    const double u = value / unit;
    const double tenfold = std::floor(u * 10);
    const int tenfoldDigits = digitCount(tenfold);
    if (tenfoldDigits >= 2) {
        const double firstTwo = std::floor(tenfold / std::pow(10.0, tenfoldDigits - 2));
        if (firstTwo >= 10 && firstTwo <= 14) {
            return (firstTwo + 1) * std::pow(10.0, tenfoldDigits - 2) * unit / 10;
        }
    }
    const double whole = std::floor(u);
    const int wholeDigits = digitCount(whole);
    const double firstDigit = std::floor(whole / std::pow(10.0, wholeDigits - 1));
    return (firstDigit + 1) * std::pow(10.0, wholeDigits - 1) * unit;
}

std::string axisValueText(double value, char decimalSeparator) {
    const int unit = largestUnitExceeded(value, kUnitBytes, kUnitTB);
    const std::string name(kByteUnitNames[static_cast<std::size_t>(unit)]);
    const double scaled = inUnit(value, unit);
    if (unit == kUnitBytes) {
        return groupedWhole(std::round(scaled)) + " " + name;
    }
    const double tenths = std::round(scaled * 10);
    const double whole = std::floor(tenths / 10);
    const int decimal = static_cast<int>(tenths - whole * 10);
    return groupedWhole(whole) + decimalSeparator + static_cast<char>('0' + decimal) + " " + name;
}

HistoryChartLayout layoutHistoryChart(const std::vector<ChartSlot>& slots, const HistoryChartRequest& request) {
    HistoryChartLayout out;
    const int W = request.width;
    const int H = request.height;
    const HistoryChartType type = request.type;
    // The slot labels stand under the bars' base line; a tall font raises the axis so they are not cut off.
    const int bottom = std::max(kAxisBottom, kLabelBelowBase - 1 + request.textHeight);
    out.axisY = H - bottom;

    double largest = 0;
    for (const ChartSlot& s : slots) {
        if (s.hasBar) {
            largest = std::max(largest, valueOf(s, type));
        }
    }
    const double M = niceCeiling(largest);
    out.scaleMax = M;

    const double B = out.axisY - 3.0;
    const int parts = request.enlarged ? 8 : 4;
    const bool speed = type == HistoryChartType::MaxDownloadSpeed || type == HistoryChartType::MaxUploadSpeed;
    const std::string suffix = speed ? "/s" : "";
    auto label = [&](double v, int y) {
        std::string text = axisValueText(v, request.decimalSeparator) + suffix;
        out.axisLabels.push_back({text, 0, y});
    };
    out.gridYs.push_back(2);
    label(M, 2);
    for (int i = 1; i < parts; ++i) {
        const double y = B * i / parts;
        out.gridYs.push_back(roundToInt(y));
        label(M * (parts - i) / parts, roundToInt(y - 5));
    }
    // The axis moves right when the labels in the chart's font need more room than its usual place leaves them.
    int widestLabel = 0;
    for (const ChartText& text : out.axisLabels) {
        widestLabel = std::max(widestLabel, request.textWidth ? request.textWidth(text.text) : 0);
    }
    out.axisX = std::max(kAxisX, kLabelMargin + widestLabel + kLabelToAxis);
    for (ChartText& text : out.axisLabels) {
        text.x = out.axisX - kLabelToAxis;
    }

    switch (type) {
    case HistoryChartType::Download:
        out.legend = {{ChartSeries::Download, "Download"}};
        break;
    case HistoryChartType::Upload:
        out.legend = {{ChartSeries::Upload, "Upload"}};
        break;
    case HistoryChartType::DownloadAndUpload:
        out.legend = {{ChartSeries::Download, "Download"}, {ChartSeries::Upload, "Upload"}};
        break;
    case HistoryChartType::MaxDownloadSpeed:
        out.legend = {{ChartSeries::Download, "Max download speed"}};
        break;
    case HistoryChartType::MaxUploadSpeed:
        out.legend = {{ChartSeries::Upload, "Max upload speed"}};
        break;
    }

    const int n = static_cast<int>(slots.size());
    if (n == 0) {
        return out;
    }
    const int axisX = out.axisX;
    // Crowded slots still get a visible bar of one pixel.
    const int w = std::clamp(roundToInt(static_cast<double>(W - axisX - 4 * n) / n), 1, kMaxBarWidth);
    const int g = std::max(0, static_cast<int>(std::floor(static_cast<double>(W - axisX - n * w) / (n + 1))));
    const int base = out.axisY - 1;
    auto height = [&](double v) { return M > 0 ? roundToInt(v / M * B) : 0; };
    auto textWidth = [&request](const std::string& text) { return request.textWidth ? request.textWidth(text) : 0; };
    // Month and day numbers too wide for their slots are thinned evenly; session times are dropped one by one below.
    int labelStep = 1;
    if (!request.dropOverlappingLabels) {
        int widest = 0;
        for (const ChartSlot& s : slots) {
            widest = std::max(widest, textWidth(s.label));
        }
        for (int step : kLabelSteps) {
            labelStep = step;
            if (step * (w + g) >= widest + kLabelGap) {
                break;
            }
        }
    }
    int lastLabelRight = std::numeric_limits<int>::min();
    for (int k = 0; k < n; ++k) {
        const ChartSlot& s = slots[k];
        const int x = axisX + kBarToAxis + k * (w + g);
        if (s.hasBar) {
            ChartSeries lower = type == HistoryChartType::Upload || type == HistoryChartType::MaxUploadSpeed
                                    ? ChartSeries::Upload
                                    : ChartSeries::Download;
            double lowerValue = type == HistoryChartType::DownloadAndUpload ? s.downloaded : valueOf(s, type);
            const int h = height(lowerValue);
            if (h >= 1) {
                out.bars.push_back({lower, x, base - h, w, h});
            }
            if (type == HistoryChartType::DownloadAndUpload) {
                const int h2 = height(s.uploaded);
                if (h2 >= 1) {
                    out.bars.push_back({ChartSeries::Upload, x, base - std::max(h, 0) - h2, w, h2});
                }
            }
        }
        if (k % labelStep != 0) {
            continue;
        }
        const int labelWidth = textWidth(s.label);
        const int left = x + w / 2 - labelWidth / 2;
        if (request.dropOverlappingLabels && w + g < labelWidth && left < lastLabelRight) {
            continue;
        }
        out.slotLabels.push_back({s.label, left, base + kLabelBelowBase});
        lastLabelRight = left + labelWidth;
    }
    return out;
}

} // namespace tw
