#pragma once

#include "app/ChartData.h"

#include <QPixmap>
#include <QWidget>

namespace tw {

// The live traffic chart (objectName "chartPicture"). Samples go into ChartData; the chart is painted from them into
// the window's off-screen buffer (Qt's backing store), which reaches the screen in one copy, so it never flickers
// and no picture of its own is made or filled per sample.
class LiveChart : public QWidget {
    Q_OBJECT
public:
    static inline const QColor kGridColour{176, 176, 176};
    static inline const QColor kDownloadColour{128, 0, 0};
    static inline const QColor kUploadColour{0, 128, 0};
    static constexpr int kGridSpacing = 60;

    explicit LiveChart(QWidget* parent = nullptr);

    // Stores the pair when add is set, then draws the whole series. Draws nothing while the window is hidden or
    // minimised (redraw() catches up when it is shown again), and clears the chart while the maximum is 0.
    void drawChart(std::int32_t upload, std::int32_t download, bool add);
    // The window is on screen again: the series as it stands now.
    void redraw();
    // Clears the chart on screen (not the samples).
    void clearPicture();
    // Stop: the samples and the picture.
    void clearAll();

    void setShowBarChart(bool bars) { m_showBarChart = bars; }
    bool showBarChart() const { return m_showBarChart; }
    // Cursor and tooltip for the enlarged or the normal chart.
    void setEnlarged(bool enlarged);
    bool isEnlarged() const { return m_enlarged; }

    ChartData& data() { return m_data; }
    const ChartData& data() const { return m_data; }
    // What the chart shows on screen inside its frame, as a picture (made on request).
    QPixmap screenPicture() const;
    // Whether the series is drawn, rather than the empty chart.
    bool isDrawn() const { return m_drawn; }

signals:
    void doubleClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void paintChart(QPainter& painter) const;
    void paintSeries(QPainter& painter) const;
    void setDrawn(bool drawn);

    ChartData m_data;
    bool m_drawn = false;
    bool m_showBarChart = true;
    bool m_enlarged = false;
};

} // namespace tw
