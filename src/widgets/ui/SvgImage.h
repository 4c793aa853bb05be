#pragma once

#include <QPixmap>
#include <QString>

namespace tw {

// One of the program's SVG images (a resource path, pre-rendered where Qt reads no SVG) as a square of the given size.
QPixmap renderSvg(const QString& path, int size);

} // namespace tw
