#include "app/ui/ResourceImages.h"

#include <QPainter>
#include <QSvgRenderer>

#include <array>

namespace tw {

namespace {

QPixmap renderSvg(const QString& path, int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QSvgRenderer renderer(path);
    QPainter painter(&pixmap);
    renderer.render(&painter);
    return pixmap;
}

QCursor svgCursor(const QString& path, int hotX, int hotY) {
    return QCursor(renderSvg(path, 32), hotX, hotY);
}

} // namespace

QIcon trayImage(TrayImage image) {
    // Kept for the life of the program: each pass sets one of them, and a QIcon renders its SVG only once.
    static const std::array<QIcon, 6> kImages = {
        QIcon(QStringLiteral(":/icons/tray-idle.svg")),    QIcon(QStringLiteral(":/icons/tray-download.svg")),
        QIcon(QStringLiteral(":/icons/tray-upload.svg")),  QIcon(QStringLiteral(":/icons/tray-both.svg")),
        QIcon(QStringLiteral(":/icons/tray-stopped.svg")), QIcon(QStringLiteral(":/icons/tray-paused.svg"))};
    const auto index = static_cast<std::size_t>(image) - static_cast<std::size_t>(TrayImage::Idle);
    return index < kImages.size() ? kImages[index] : kImages[0];
}

QIcon toolbarImage(const QString& key) {
    return QIcon(QStringLiteral(":/icons/%1.svg").arg(key.toLower()));
}

QPixmap logoPixmap(int size) {
    return renderSvg(QStringLiteral(":/icons/logo.svg"), size);
}

QCursor chartEnlargeCursor() {
    return svgCursor(QStringLiteral(":/cursors/chart-enlarge.svg"), 16, 16);
}

QCursor chartReduceCursor() {
    return svgCursor(QStringLiteral(":/cursors/chart-reduce.svg"), 16, 16);
}

QCursor linkCursor() {
    return svgCursor(QStringLiteral(":/cursors/link.svg"), 2, 2);
}

} // namespace tw
