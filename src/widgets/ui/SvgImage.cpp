#include "widgets/ui/SvgImage.h"

#include <QPainter>
#include <QSvgRenderer>

namespace tw {

QPixmap renderSvg(const QString& path, int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QSvgRenderer renderer(path);
    QPainter painter(&pixmap);
    renderer.render(&painter);
    return pixmap;
}

} // namespace tw
