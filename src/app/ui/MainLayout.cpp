#include "app/ui/MainLayout.h"

#include <algorithm>
#include <cmath>

namespace tw {

namespace {

constexpr int kSideMarginsTw = 170;
constexpr int kPanelRowGapTw = 90;
constexpr int kSessionTopTw = 600;
constexpr int kPanelHeightTw = 1380;
constexpr int kSecondRowTopTw = 2025;
constexpr int kBottomMarginTw = 60;
constexpr int kHeadingXTw = 120;
constexpr int kAmountXTw = 1080;

int roundToTen(double twips) {
    return static_cast<int>(std::nearbyint(twips / 10.0)) * 10;
}

} // namespace

int MainLayout::toPixels(int twips) {
    return static_cast<int>(std::nearbyint(twips / static_cast<double>(kTwipsPerPixel)));
}

MainLayout MainLayout::compute(int clientWidth, int clientHeight, int coolBarHeight, bool chartEnlarged,
                               int extraPanelRows) {
    const int widthTw = clientWidth * kTwipsPerPixel;
    const int heightTw = clientHeight * kTwipsPerPixel;
    const int leftTw = kSideMarginsTw / 2;
    const int panelWidthTw = std::max(widthTw - kSideMarginsTw, 0);
    const int halfTw = panelWidthTw / 2;

    MainLayout l;
    l.coolBar = QRect(0, 0, clientWidth, coolBarHeight);
    auto rect = [](int x, int y, int w, int h) {
        return QRect(toPixels(x), toPixels(y), toPixels(std::max(w, 0)), toPixels(std::max(h, 0)));
    };
    l.sessionPanel = rect(leftTw, kSessionTopTw, panelWidthTw, kPanelHeightTw);

    const int smallWidthTw = roundToTen((panelWidthTw - kPanelRowGapTw) / 2.0);
    const int monthLeftTw = roundToTen(leftTw + panelWidthTw - smallWidthTw);
    const int smallHeightTw = kPanelHeightTw + extraPanelRows * kPanelRowTw;
    l.todayPanel = rect(leftTw, kSecondRowTopTw, smallWidthTw, smallHeightTw);
    l.monthPanel = rect(monthLeftTw, kSecondRowTopTw, smallWidthTw, smallHeightTw);

    l.headingX = toPixels(kHeadingXTw);
    l.headingWidth = toPixels(kAmountXTw - kHeadingXTw);
    l.amountX = toPixels(kAmountXTw);
    l.amountWidth = toPixels(std::max(halfTw - 1200, 0));
    l.speedHeadingX = toPixels(halfTw + 160);
    // The heading may run on under the value label, whose text stands at its right end.
    l.speedHeadingWidth = toPixels(std::max(halfTw - 160 - 1200, 1490 - 160));
    l.speedValueX = toPixels(halfTw + 1490);
    l.speedValueWidth = toPixels(std::max(halfTw - 1670, 0));

    const int chartTop = chartEnlarged ? 0 : chartTopTw(extraPanelRows);
    const int chartHeightTw = heightTw - kBottomMarginTw - chartTop;
    l.chart = rect(leftTw, chartTop, panelWidthTw, chartHeightTw);
    l.chartWidth = static_cast<int>(std::nearbyint(l.chart.width() / 2.0));
    return l;
}

} // namespace tw
