#pragma once

#include <QRect>

namespace tw {

// Geometry of the main window's client area (below the menu bar, above the status bar; the cool bar with the
// toolbar is its top strip). The measures are kept in twips, 15 to a logical pixel, as the window was designed.
// The chart always ends just above the status bar: enlarged it starts at the top, otherwise below the panels.
struct MainLayout {
    static constexpr int kTwipsPerPixel = 15;
    static constexpr int kMinWidthTw = 6435;
    static constexpr int kMinHeightWithChartTw = 6900;
    static constexpr int kMinHeightWithoutChartTw = 4530;
    static constexpr int kChartTopTw = 3420; // below the panels
    static constexpr int kPanelRowTw = 330;  // one more line of text in the panels of the second row

    QRect coolBar;
    QRect sessionPanel;
    QRect todayPanel;
    QRect monthPanel;
    QRect chart;
    int headingX = 0; // "Download:" and friends, inside a panel
    int headingWidth = 0;
    int amountX = 0; // the amount labels, inside a panel
    int amountWidth = 0;
    int speedHeadingX = 0; // "Download speed:" and friends, inside the session panel
    int speedHeadingWidth = 0;
    int speedValueX = 0;
    int speedValueWidth = 0;
    int chartWidth = 0; // samples the chart holds: half its drawing width, halves to even

    // extraPanelRows: lines the "Today" and "This Month" panels hold beyond their three amounts (the allowance).
    static MainLayout compute(int clientWidth, int clientHeight, int coolBarHeight, bool chartEnlarged,
                              int extraPanelRows = 0);
    static int toPixels(int twips);
    // Where the chart starts when not enlarged.
    static int chartTopTw(int extraPanelRows) { return kChartTopTw + extraPanelRows * kPanelRowTw; }
};

} // namespace tw
