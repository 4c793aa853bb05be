#include "app/ui/LiveChartLegend.h"

#include "app/ui/LiveChart.h"

#include <QEvent>
#include <QPainter>

namespace tw {

namespace {

struct Entry {
    const char* caption;
    const QColor& colour;
};

const Entry kEntries[] = {{"Download", LiveChart::kDownloadColour}, {"Upload", LiveChart::kUploadColour}};

constexpr int kPadding = 3;
constexpr int kGap = 4;       // between a swatch and its caption
constexpr int kEntryGap = 10; // between the two entries

} // namespace

LiveChartLegend::LiveChartLegend(QWidget* chart) : QWidget(chart) {
    setObjectName(QStringLiteral("chartLegend"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    place();
}

QRect LiveChartLegend::swatchRect(int entry) const {
    const QFontMetrics metrics = fontMetrics();
    const int side = metrics.ascent() - 2;
    int x = kPadding;
    for (int i = 0; i < entry; ++i) {
        x += side + kGap + metrics.horizontalAdvance(QString::fromLatin1(kEntries[i].caption)) + kEntryGap;
    }
    return QRect(x, kPadding + (metrics.height() - side) / 2, side, side);
}

QSize LiveChartLegend::sizeHint() const {
    const QFontMetrics metrics = fontMetrics();
    const QRect last = swatchRect(1);
    return QSize(last.right() + 1 + kGap + metrics.horizontalAdvance(QString::fromLatin1(kEntries[1].caption)) +
                     kPadding,
                 metrics.height() + 2 * kPadding);
}

void LiveChartLegend::place() {
    // Under the scale text, which stands at the chart's top-left corner.
    move(0, fontMetrics().height() + 1);
    resize(sizeHint());
}

void LiveChartLegend::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange) {
        place();
    }
    QWidget::changeEvent(event);
}

void LiveChartLegend::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // Lines under it still show through a little, but never hide the words.
    QColor backdrop = palette().color(QPalette::Base);
    backdrop.setAlpha(200);
    painter.fillRect(rect(), backdrop);
    const QFontMetrics metrics = fontMetrics();
    for (int i = 0; i < 2; ++i) {
        const QRect swatch = swatchRect(i);
        painter.fillRect(swatch, kEntries[i].colour);
        painter.setPen(palette().color(QPalette::ButtonText));
        painter.drawText(swatch.right() + 1 + kGap, kPadding + metrics.ascent(),
                         QString::fromLatin1(kEntries[i].caption));
    }
}

} // namespace tw
