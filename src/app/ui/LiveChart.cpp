#include "app/ui/LiveChart.h"

#include "app/ui/LiveChartLegend.h"
#include "app/ui/PeriodPanels.h"
#include "widgets/ui/ProgramCursors.h"

#include <QLocale>
#include <QMouseEvent>
#include <QPainter>
#include <QVector>

#include <cmath>

namespace tw {

namespace {

int roundEven(double v) {
    return static_cast<int>(std::nearbyint(v));
}

} // namespace

LiveChart::LiveChart(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("chartPicture"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setEnlarged(false);
    new LiveChartLegend(this);
}

void LiveChart::setEnlarged(bool enlarged) {
    m_enlarged = enlarged;
    setCursor(enlarged ? chartReduceCursor() : chartEnlargeCursor());
    setToolTip(enlarged ? QStringLiteral("Double click to reduce the graph")
                        : QStringLiteral("Double click to enlarge the graph"));
}

void LiveChart::setDrawn(bool drawn) {
    // A blank chart that stays blank needs no repaint: the usual pass on an idle line costs nothing here.
    if (drawn || m_drawn) {
        update();
    }
    m_drawn = drawn;
}

void LiveChart::clearPicture() {
    setDrawn(false);
}

void LiveChart::clearAll() {
    clearPicture();
    m_data.clear();
}

void LiveChart::drawChart(std::int32_t upload, std::int32_t download, bool add) {
    if (add) {
        m_data.insertValues(download, upload);
    }
    if (!window()->isVisible() || window()->isMinimized()) {
        m_drawn = false; // nobody sees it; redraw() shows the samples when the window is back
        return;
    }
    setDrawn(m_data.getMaxValue() > 0);
}

void LiveChart::redraw() {
    setDrawn(m_data.getMaxValue() > 0);
}

void LiveChart::paintSeries(QPainter& painter) const {
    const int w = width();
    const int h = height();
    painter.setPen(kGridColour);
    for (int x = w; x >= 0; x -= kGridSpacing) {
        painter.drawLine(x, 0, x, h);
    }
    const double max = m_data.getMaxValue();
    const int size = m_data.getSize();
    auto y = [&](std::int32_t v) { return roundEven(h - roundEven(v / max * h)); };
    auto x = [&](int i) { return roundEven(w - 1 - 2.0 * i); };
    // One batch per colour: a wide chart has a thousand lines.
    QVector<QLine> down;
    QVector<QLine> up;
    down.reserve(size);
    up.reserve(size);
    if (m_showBarChart) {
        for (int i = 0; i < size; ++i) {
            const auto [d, u] = m_data.getValuesAtPosition(i);
            down.append(QLine(x(i), y(d), x(i), h));
            up.append(QLine(x(i) - 1, y(u), x(i) - 1, h));
        }
    } else {
        for (int i = 0; i + 1 < size; ++i) {
            const auto now = m_data.getValuesAtPosition(i);
            const auto before = m_data.getValuesAtPosition(i + 1);
            down.append(QLine(x(i) - 2, y(before.first), x(i), y(now.first)));
            up.append(QLine(x(i) - 2, y(before.second), x(i), y(now.second)));
        }
    }
    painter.setPen(kDownloadColour);
    painter.drawLines(down);
    painter.setPen(kUploadColour);
    painter.drawLines(up);
    painter.setPen(palette().color(QPalette::ButtonText));
    painter.drawText(QRect(2, 1, w, h), Qt::AlignLeft | Qt::AlignTop,
                     QString::fromStdString(chartScaleText(m_data.getMaxValue(), localeDecimalSeparator())));
}

void LiveChart::paintChart(QPainter& painter) const {
    painter.fillRect(rect(), palette().color(QPalette::Base));
    if (m_drawn && m_data.getMaxValue() > 0) {
        paintSeries(painter);
    }
}

QPixmap LiveChart::screenPicture() const {
    QPixmap picture(size().expandedTo(QSize(1, 1)));
    QPainter painter(&picture);
    paintChart(painter);
    return picture;
}

void LiveChart::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paintChart(painter);
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void LiveChart::resizeEvent(QResizeEvent*) {
    clearPicture();
}

void LiveChart::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        emit doubleClicked();
    }
}

} // namespace tw
