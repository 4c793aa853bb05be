#include "widgets/ui/clsButton.h"

#include <QElapsedTimer>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace tw {

namespace {

Raster toRaster(const QImage& image) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    Raster raster(rgb.width(), rgb.height());
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x) {
            raster.set(x, y,
                       Rgb{static_cast<std::uint8_t>(qRed(line[x])), static_cast<std::uint8_t>(qGreen(line[x])),
                           static_cast<std::uint8_t>(qBlue(line[x]))});
        }
    }
    return raster;
}

Rgb toRgb(const QColor& colour) {
    return Rgb{static_cast<std::uint8_t>(colour.red()), static_cast<std::uint8_t>(colour.green()),
               static_cast<std::uint8_t>(colour.blue())};
}

QImage toImage(const Raster& raster) {
    QImage image(raster.width(), raster.height(), QImage::Format_RGB32);
    for (int y = 0; y < raster.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < raster.width(); ++x) {
            const Rgb c = raster.at(x, y);
            line[x] = qRgb(c.r, c.g, c.b);
        }
    }
    return image;
}

} // namespace

clsButton::clsButton(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::PointingHandCursor);
}

float clsButton::InitButton(const QString& caption, bool shape, float light, qint16 bevelWidth, qint16 cornerSize,
                            bool transparent) {
    QElapsedTimer timer;
    timer.start();
    m_caption = caption;
    m_shape = shape;
    m_style = BevelStyle{light, bevelWidth};
    m_cornerSize = cornerSize;
    m_transparent = transparent;
    m_initialised = true;
    m_pressed = false;
    m_building = true;
    // Drawn in device pixels so that the bevel stays sharp on high-density screens.
    const QImage container = containerPixels();
    const Raster under = toRaster(container);
    const Raster face =
        transparent ? under : Raster(under.width(), under.height(), toRgb(palette().color(backgroundRole())));
    // Pressed first, then released, each with its caption offset.
    m_down = renderState(face, under, true);
    m_up = renderState(face, under, false);
    m_building = false;
    applyShape();
    update();
    return static_cast<float>(timer.nsecsElapsed() / 1e9);
}

QImage clsButton::containerPixels() const {
    const qreal ratio = devicePixelRatioF();
    QImage image((QSizeF(size()) * ratio).toSize(), QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(palette().color(backgroundRole()));
    if (QWidget* container = parentWidget()) {
        // Only the container's own drawing: the button and its siblings are left out.
        container->render(&image, QPoint(), QRegion(geometry()), QWidget::DrawWindowBackground);
    }
    return image;
}

QPixmap clsButton::renderState(const Raster& face, const Raster& under, bool pressed) const {
    const qreal ratio = devicePixelRatioF();
    BevelStyle style = m_style;
    style.bevelWidth = static_cast<int>(std::lround(style.bevelWidth * ratio));
    QImage image = toImage(renderBevel(face, under, style, pressed));
    image.setDevicePixelRatio(ratio);
    drawCaption(image, pressed ? 1 : -1, pressed ? 1 : -1);
    return QPixmap::fromImage(image);
}

void clsButton::drawCaption(QImage& image, int dx, int dy) const {
    const Rgb shadow = captionShadowColour(toRaster(image));
    const int w = width() - 1;
    const int h = height() - 1;
    const int flags = Qt::AlignCenter | Qt::TextSingleLine | Qt::TextDontClip;
    QPainter painter(&image);
    painter.setFont(font());
    painter.setPen(QColor(shadow.r, shadow.g, shadow.b));
    painter.drawText(QRect(QPoint(dx + 2, dy + 2), QPoint(w, h)), flags, m_caption);
    painter.setPen(palette().color(QPalette::ButtonText));
    painter.drawText(QRect(QPoint(dx, dy), QPoint(w, h)), flags, m_caption);
}

void clsButton::applyShape() {
    if (!m_shape) {
        clearMask();
        return;
    }
    const qreal corner = (m_style.bevelWidth + m_cornerSize) * 2 + 1;
    QPainterPath path;
    path.addRoundedRect(QRectF(rect()), corner / 2, corner / 2);
    setMask(QRegion(path.toFillPolygon().toPolygon()));
}

void clsButton::ClsUP() {
    m_up.fill(palette().color(backgroundRole()));
    update();
}

void clsButton::ClsDOWN() {
    m_down.fill(palette().color(backgroundRole()));
    update();
}

void clsButton::TriggerButton() {
    m_pressed = true;
    update();
}

void clsButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QPixmap& image = m_pressed ? m_down : m_up;
    if (image.isNull()) {
        painter.fillRect(rect(), palette().color(backgroundRole()));
        return;
    }
    painter.drawPixmap(rect(), image);
}

void clsButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        TriggerButton();
    }
    event->accept();
}

void clsButton::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !m_pressed) {
        return;
    }
    m_pressed = false;
    update();
    if (rect().contains(event->position().toPoint())) {
        emit clicked();
    }
}

void clsButton::resizeEvent(QResizeEvent*) {
    // Rendering the container delivers pending resize events to this button too: do not build twice.
    if (m_initialised && !m_building && m_up.deviceIndependentSize().toSize() != size()) {
        InitButton(m_caption, m_shape, static_cast<float>(m_style.light), static_cast<qint16>(m_style.bevelWidth),
                   m_cornerSize, m_transparent);
    }
}

} // namespace tw
