#include "app/ui/ResourceImages.h"

#include <QPainter>
#include <QSvgRenderer>

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
    switch (image) {
    case TrayImage::Idle:
        return QIcon(QStringLiteral(":/icons/tray-idle.svg"));
    case TrayImage::Download:
        return QIcon(QStringLiteral(":/icons/tray-download.svg"));
    case TrayImage::Upload:
        return QIcon(QStringLiteral(":/icons/tray-upload.svg"));
    case TrayImage::Both:
        return QIcon(QStringLiteral(":/icons/tray-both.svg"));
    case TrayImage::Stopped:
        return QIcon(QStringLiteral(":/icons/tray-stopped.svg"));
    case TrayImage::Paused:
        return QIcon(QStringLiteral(":/icons/tray-paused.svg"));
    }
    return QIcon(QStringLiteral(":/icons/tray-idle.svg"));
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
