#include "widgets/ui/SvgImage.h"

#include <QImageReader>

namespace tw {

QPixmap renderSvg(const QString& path, int size) {
    // Through the image reader rather than the SVG module itself: a build whose Qt has no SVG support carries the
    // same resources pre-rendered, and the reader goes by their content.
    QImageReader reader(path);
    reader.setScaledSize(QSize(size, size));
    return QPixmap::fromImage(reader.read());
}

} // namespace tw
