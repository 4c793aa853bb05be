#include "app/ui/ResourceImages.h"

#include "widgets/ui/SvgImage.h"

#include <array>

namespace tw {

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

} // namespace tw
