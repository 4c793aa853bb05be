#include "history/ui/LogViewerLayout.h"

#include <algorithm>

namespace tw {

namespace {

constexpr int kMargin = 8;
constexpr int kGap = 2;          // between a label and what it names
constexpr int kTabStripTop = 18; // the tab strip stands a little lower than the tree's label
constexpr int kTabAreaLeft = 136;
constexpr int kTabAreaTop = 48;
constexpr int kChartTop = 4;     // the chart starts a little below the tab area's top
constexpr int kControlsGap = 10; // between the chart controls and the statistics grid
constexpr int kLeastChartHeight = 120;
constexpr int kOpeningChartHeight = 240;

int tabAreaLeft(const LogViewerContents& c) {
    return std::max(kTabAreaLeft, kMargin + std::max(c.treeWidth, c.button.width()) + kMargin);
}

int tabAreaTop(const LogViewerContents& c) {
    return std::max(kTabAreaTop, kTabStripTop + c.tabBarHeight);
}

int chartControlsHeight(const LogViewerContents& c) {
    return c.chartTypeLabelHeight + kGap + c.chartTypeHeight + kMargin + c.legendHeight;
}

// The row under the chart: the chart controls and the grid, as high as the higher of them.
int lowerRowHeight(const LogViewerContents& c) {
    return std::max(chartControlsHeight(c), c.statistics.height());
}

int statisticsRowWidth(const LogViewerContents& c) {
    return c.chartControlsWidth + kControlsGap + c.statistics.width();
}

QSize sizeFor(const LogViewerContents& c, int tabContentWidth, int chartHeight) {
    const int width = tabAreaLeft(c) + tabContentWidth + kMargin;
    const int statisticsTab = kChartTop + chartHeight + kMargin + lowerRowHeight(c);
    const int height = tabAreaTop(c) + statisticsTab + kMargin + c.button.height() + kMargin;
    return QSize(width, height).expandedTo(LogViewerLayout::kLeastSize);
}

} // namespace

QSize LogViewerLayout::minimumSize(const LogViewerContents& c) {
    return sizeFor(c, statisticsRowWidth(c), kLeastChartHeight);
}

QSize LogViewerLayout::openingSize(const LogViewerContents& c) {
    return sizeFor(c, std::max(statisticsRowWidth(c), c.listWidth), kOpeningChartHeight);
}

LogViewerLayout LogViewerLayout::compute(QSize window, const LogViewerContents& c) {
    LogViewerLayout l;
    const int w = window.width();
    const int h = window.height();
    const QSize button = c.button;
    const int bottomRow = h - kMargin - button.height();
    l.cancelButton = QRect(QPoint(w - kMargin - button.width(), bottomRow), button);
    l.okButton = QRect(QPoint(l.cancelButton.left() - kMargin - button.width(), bottomRow), button);

    const int left = tabAreaLeft(c);
    const int top = tabAreaTop(c);
    l.treeLabel = QRect(kMargin, kMargin, left - 2 * kMargin, c.treeLabelHeight);
    const int treeTop = l.treeLabel.bottom() + 1 + kGap;
    l.tree = QRect(kMargin, treeTop, left - 2 * kMargin, bottomRow - kMargin - treeTop);
    l.exportButton = QRect(kMargin, bottomRow, left - 2 * kMargin, button.height());
    l.tabs = QRect(left, kTabStripTop, w - left - kMargin, top - kTabStripTop);
    l.tabArea = QRect(left, top, w - left - kMargin, bottomRow - kMargin - top);

    const int fw = l.tabArea.width();
    const int fh = l.tabArea.height();
    l.list = QRect(0, 0, fw, fh - button.height() - kMargin);
    const int buttonTop = fh - button.height();
    l.deleteButton = QRect(QPoint(fw - button.width(), buttonTop), button);
    l.editButton = QRect(QPoint(l.deleteButton.left() - kMargin - button.width(), buttonTop), button);
    l.addButton = QRect(QPoint(l.editButton.left() - kMargin - button.width(), buttonTop), button);

    const int lowerHeight = lowerRowHeight(c);
    const int lowerTop = fh - lowerHeight;
    l.chart = QRect(0, kChartTop, fw, lowerTop - kMargin - kChartTop);
    const int controls = c.chartControlsWidth;
    l.chartTypeLabel = QRect(0, lowerTop, controls, c.chartTypeLabelHeight);
    l.chartType = QRect(0, l.chartTypeLabel.bottom() + 1 + kGap, controls, c.chartTypeHeight);
    const int legendTop = l.chartType.bottom() + 1 + kMargin;
    l.legend = QRect(0, legendTop, controls, fh - legendTop);
    l.statistics = QRect(controls + kControlsGap, lowerTop, fw - controls - kControlsGap, lowerHeight);

    // Enlarged, the chart covers the window but for the OK and Cancel row (1050 twips, or taller buttons).
    l.enlargedChart = QRect(0, 0, w - 10, std::min(h - 70, bottomRow - kMargin));
    return l;
}

} // namespace tw
