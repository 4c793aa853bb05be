#pragma once

#include "app/ChartData.h"

#include <QPixmap>
#include <QWidget>

namespace tw {

// The live traffic chart (objectName "chartPicture"). Samples go into ChartData; each drawing is made in the
// off-screen picture bufferPicture and reaches the screen in one copy, so the chart never flickers.
class LiveChart : public QWidget {
    Q_OBJECT
public:
    static inline const QColor kGridColour{176, 176, 176};
    static inline const QColor kDownloadColour{128, 0, 0};
    static inline const QColor kUploadColour{0, 128, 0};
    static constexpr int kGridSpacing = 60;

    explicit LiveChart(QWidget* parent = nullptr);

    // Stores the pair when add is set, then draws the whole series. Draws nothing (and clears the chart) while the
    // window is hidden or the maximum is 0.
    void drawChart(std::int32_t upload, std::int32_t download, bool add);
    // Clears the picture on screen and the buffer (not the samples).
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
    const QPixmap& bufferPicture() const { return m_bufferPicture; }
    // What the chart shows on screen.
    const QPixmap& screenPicture() const { return m_screen; }

signals:
    void doubleClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void paintSeries(QPainter& painter) const;
    QPixmap blankPicture() const;

    ChartData m_data;
    QPixmap m_bufferPicture;
    QPixmap m_screen;
    bool m_showBarChart = true;
    bool m_enlarged = false;
};

} // namespace tw
