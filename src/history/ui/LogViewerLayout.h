#pragma once

#include <QRect>
#include <QSize>

namespace tw {

// What the log viewer's controls need to show their texts whole, in pixels, measured in the window's font.
struct LogViewerContents {
    int treeWidth = 0;       // the period tree, wide enough for the longest month name under its year
    int treeLabelHeight = 0; // "Choose interval:"
    int tabBarHeight = 0;
    int chartControlsWidth = 0; // "Type of graph:", the type list and the legend, one above the other
    int chartTypeLabelHeight = 0;
    int chartTypeHeight = 0;
    int legendHeight = 0;
    QSize statistics;  // the statistics grid with every cell shown, without scrolling
    int listWidth = 0; // the session list with every column shown
    QSize button;      // each of OK, Cancel, Add..., Edit... and Delete
};

// The log viewer's geometry. The tree is on the left, the tab strip and its tab area on the right, OK and Cancel at
// the bottom right, Export under the tree. The Statistics tab has the chart over a row of the chart controls and the
// statistics grid; the Data tab the session list over its buttons. Tab contents are in the tab area's coordinates.
struct LogViewerLayout {
    // The least size from the window's original twip layout (9495 x 6705 twips, 15 to a pixel); larger fonts need more.
    static constexpr QSize kLeastSize{633, 447};

    QRect treeLabel, tree, tabs, tabArea;
    QRect chart, chartTypeLabel, chartType, legend, statistics; // Statistics tab
    QRect list, addButton, editButton, deleteButton;            // Data tab
    QRect okButton, cancelButton;
    QRect exportButton;  // under the tree
    QRect enlargedChart; // the Statistics frame and its chart while enlarged, in the window

    static LogViewerLayout compute(QSize window, const LogViewerContents& contents);
    // No text is cut and the chart keeps a useful height; the session list may scroll sideways.
    static QSize minimumSize(const LogViewerContents& contents);
    // A roomier chart, and the session list's columns side by side.
    static QSize openingSize(const LogViewerContents& contents);
};

} // namespace tw
