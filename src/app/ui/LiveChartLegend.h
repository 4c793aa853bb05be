#pragma once

#include <QWidget>

namespace tw {

// The live chart's key (objectName "chartLegend"): a swatch in each series' colour with its name, in the chart's
// top-left corner under the scale text, where the oldest samples are. It lies over the chart without taking its
// clicks, so a double click on it still enlarges or reduces the chart.
class LiveChartLegend : public QWidget {
    Q_OBJECT
public:
    explicit LiveChartLegend(QWidget* chart);

    QSize sizeHint() const override;
    // Where the swatch of entry 0 (download) or 1 (upload) is drawn.
    QRect swatchRect(int entry) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void place();
};

} // namespace tw
