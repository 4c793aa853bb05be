#pragma once

// moc cannot parse the C++20 library headers these pull in.
#ifndef Q_MOC_RUN
#include "history/HistoryChart.h"
#endif

#include <QWidget>

#include <vector>

namespace tw {

// The log viewer's bar chart of one period (a year's months, a month's days, a day's sessions). A double click asks
// the viewer to enlarge or restore it.
class HistoryChartWidget : public QWidget {
    Q_OBJECT
public:
    explicit HistoryChartWidget(QWidget* parent = nullptr);

    // Slots of a day may crowd their labels; months and days never leave one out.
    void setSlots(std::vector<ChartSlot> chartSlots, bool sessionSlots);
    void clearChart();
    void setChartType(HistoryChartType type);
    void setEnlarged(bool enlarged);
    bool isEnlarged() const { return m_enlarged; }

    // What the last paint drew (or would draw at the current size).
    HistoryChartLayout currentLayout() const;

signals:
    void doubleClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    std::vector<ChartSlot> m_slots;
    bool m_sessionSlots = false;
    bool m_cleared = true;
    bool m_enlarged = false;
    HistoryChartType m_type = HistoryChartType::DownloadAndUpload;
};

} // namespace tw
