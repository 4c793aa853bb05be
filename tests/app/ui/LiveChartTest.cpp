#include "app/ui/LiveChart.h"
#include "app/ui/LiveChartLegend.h"

#include <QImage>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

using tw::LiveChart;

namespace {

// A shown window holding a 400 x 100 chart.
struct ShownChart {
    ShownChart() {
        window.resize(420, 120);
        chart = new LiveChart(&window);
        chart->setGeometry(0, 0, 400, 100);
        chart->data().setSize(200);
        window.show();
    }
    QImage screen() const { return chart->screenPicture().toImage(); }
    int countColour(const QColor& colour) const {
        const QImage image = screen();
        int n = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                n += image.pixelColor(x, y) == colour;
            }
        }
        return n;
    }
    QWidget window;
    LiveChart* chart = nullptr;
};

} // namespace

TEST(LiveChartTest, AMaximumOfZeroDrawsNothing) {
    ShownChart c;
    c.chart->drawChart(0, 0, true);
    EXPECT_EQ(c.countColour(LiveChart::kGridColour), 0);
    EXPECT_EQ(c.countColour(LiveChart::kDownloadColour), 0);
    EXPECT_EQ(c.screen().pixelColor(10, 10), c.chart->palette().color(QPalette::Base));
}

TEST(LiveChartTest, BarsStandAtTheRightEdgeWithUploadBesideDownload) {
    ShownChart c;
    c.chart->setShowBarChart(true);
    c.chart->drawChart(50, 100, true); // upload 50, download 100: the maximum
    const QImage image = c.screen();
    // The newest sample: download at x = W - 1 from the top (the maximum) down, upload at x = W - 2 from half way.
    EXPECT_EQ(image.pixelColor(399, 99), LiveChart::kDownloadColour);
    EXPECT_EQ(image.pixelColor(399, 5), LiveChart::kDownloadColour);
    EXPECT_EQ(image.pixelColor(398, 60), LiveChart::kUploadColour);
    EXPECT_NE(image.pixelColor(398, 40), LiveChart::kUploadColour);
    // Older samples are 2 pixels apart; here there are none.
    EXPECT_NE(image.pixelColor(397, 90), LiveChart::kDownloadColour);
}

TEST(LiveChartTest, GridLinesStandEverySixtyPixelsFromTheRight) {
    ShownChart c;
    c.chart->drawChart(1, 1, true);
    const QImage image = c.screen();
    for (int x : {340, 280, 40}) {
        EXPECT_EQ(image.pixelColor(x, 50), LiveChart::kGridColour) << x;
    }
    EXPECT_NE(image.pixelColor(310, 50), LiveChart::kGridColour);
}

TEST(LiveChartTest, LineChartDrawsBothSeries) {
    ShownChart c;
    c.chart->setShowBarChart(false);
    for (int i = 0; i < 20; ++i) {
        c.chart->drawChart(i * 10, 400 - i * 10, true);
    }
    EXPECT_GT(c.countColour(LiveChart::kDownloadColour), 10);
    EXPECT_GT(c.countColour(LiveChart::kUploadColour), 10);
}

TEST(LiveChartTest, NothingIsDrawnWhileTheWindowIsHiddenButSamplesAreKept) {
    ShownChart c;
    c.window.hide();
    c.chart->drawChart(10, 20, true);
    EXPECT_EQ(c.chart->data().getMaxValue(), 20);
    EXPECT_EQ(c.countColour(LiveChart::kDownloadColour), 0);
}

TEST(LiveChartTest, ClearAllEmptiesSamplesAndPicture) {
    ShownChart c;
    c.chart->drawChart(10, 20, true);
    c.chart->clearAll();
    EXPECT_EQ(c.chart->data().getValuesAtPosition(0), std::make_pair(0, 0));
    EXPECT_EQ(c.countColour(LiveChart::kDownloadColour), 0);
}

TEST(LiveChartTest, CursorAndTooltipFollowTheEnlargedState) {
    LiveChart chart;
    EXPECT_EQ(chart.objectName(), "chartPicture");
    EXPECT_EQ(chart.toolTip(), "Double click to enlarge the graph");
    const QPixmap normal = chart.cursor().pixmap();
    chart.setEnlarged(true);
    EXPECT_EQ(chart.toolTip(), "Double click to reduce the graph");
    EXPECT_FALSE(chart.cursor().pixmap().isNull());
    EXPECT_NE(chart.cursor().pixmap().toImage(), normal.toImage());
}

// The key says which colour is which, stands clear of the scale text and keeps the chart's double click.
TEST(LiveChartTest, TheLegendShowsBothColoursUnderTheScaleAndPassesDoubleClicksOn) {
    ShownChart c;
    c.chart->drawChart(0, 3 << 20, true); // scale text "3.0 MB"
    auto* legend = c.chart->findChild<tw::LiveChartLegend*>(QStringLiteral("chartLegend"));
    ASSERT_NE(legend, nullptr);
    EXPECT_TRUE(legend->isVisible());
    EXPECT_GE(legend->y(), c.chart->fontMetrics().height());
    EXPECT_TRUE(c.chart->rect().contains(legend->geometry()));
    EXPECT_GE(legend->width(), legend->sizeHint().width());
    const QImage shown = c.chart->grab().toImage();
    const QColor colours[] = {LiveChart::kDownloadColour, LiveChart::kUploadColour};
    for (int i = 0; i < 2; ++i) {
        const QPoint centre = legend->mapTo(c.chart, legend->swatchRect(i).center());
        EXPECT_EQ(shown.pixelColor(centre), colours[i]) << i;
    }

    QSignalSpy doubleClicks(c.chart, &LiveChart::doubleClicked);
    const QPoint onLegend = legend->mapTo(&c.window, legend->rect().center());
    QTest::mouseDClick(c.window.windowHandle(), Qt::LeftButton, {}, onLegend);
    EXPECT_EQ(doubleClicks.count(), 1);
}
