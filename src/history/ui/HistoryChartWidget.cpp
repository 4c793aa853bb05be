#include "history/ui/HistoryChartWidget.h"

#include "widgets/ui/ProgramCursors.h"
#include "widgets/ui/UiText.h"

#include <QFontMetrics>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace tw {

namespace {

QColor colourOf(ChartSeries series) {
    return series == ChartSeries::Download ? QColor(0, 128, 0) : QColor(128, 0, 0);
}

} // namespace

HistoryChartWidget::HistoryChartWidget(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("pb"));
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::white);
    setPalette(p);
    setCursor(chartEnlargeCursor());
}

void HistoryChartWidget::setSlots(std::vector<ChartSlot> chartSlots, bool sessionSlots) {
    m_slots = std::move(chartSlots);
    m_sessionSlots = sessionSlots;
    m_cleared = false;
    update();
}

void HistoryChartWidget::clearChart() {
    m_slots.clear();
    m_cleared = true;
    update();
}

void HistoryChartWidget::setChartType(HistoryChartType type) {
    m_type = type;
    update();
}

void HistoryChartWidget::setEnlarged(bool enlarged) {
    m_enlarged = enlarged;
    // The pointer tells which way a double click goes.
    setCursor(enlarged ? chartReduceCursor() : chartEnlargeCursor());
    update();
}

HistoryChartLayout HistoryChartWidget::currentLayout() const {
    HistoryChartRequest request;
    request.type = m_type;
    request.width = width();
    request.height = height();
    request.enlarged = m_enlarged;
    request.dropOverlappingLabels = m_sessionSlots;
    const QString separator = QLocale::system().decimalPoint();
    request.decimalSeparator = separator.size() == 1 ? separator.at(0).toLatin1() : '.';
    const QFontMetrics metrics = fontMetrics();
    request.textWidth = [metrics](std::string_view text) { return metrics.horizontalAdvance(toQString(text)); };
    request.textHeight = metrics.height();
    return layoutHistoryChart(m_slots, request);
}

void HistoryChartWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (m_cleared) {
        return;
    }
    const HistoryChartLayout layout = currentLayout();
    const int w = width();
    const QFontMetrics metrics = fontMetrics();

    painter.setPen(QPen(Qt::black, 1, Qt::SolidLine));
    painter.drawLine(layout.axisX, layout.axisY, w, layout.axisY);
    painter.drawLine(layout.axisX, 0, layout.axisX, layout.axisY);
    painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
    for (int y : layout.gridYs) {
        painter.drawLine(layout.axisX, y, w, y);
    }
    painter.setPen(Qt::black);
    for (const ChartText& label : layout.axisLabels) {
        const QString text = QString::fromStdString(label.text);
        painter.drawText(label.x - metrics.horizontalAdvance(text), label.y + metrics.ascent(), text);
    }
    for (const ChartBar& bar : layout.bars) {
        painter.fillRect(bar.x, bar.y, bar.width, bar.height, colourOf(bar.series));
    }
    painter.setPen(Qt::black);
    for (const ChartText& label : layout.slotLabels) {
        painter.drawText(label.x, label.y + metrics.ascent(), QString::fromStdString(label.text));
    }
}

void HistoryChartWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    event->accept();
    emit doubleClicked();
}

} // namespace tw
