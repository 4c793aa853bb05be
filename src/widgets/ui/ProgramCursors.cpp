#include "widgets/ui/ProgramCursors.h"

#include "widgets/ui/SvgImage.h"

namespace tw {

namespace {

QCursor svgCursor(const QString& path, int hotX, int hotY) {
    return QCursor(renderSvg(path, 32), hotX, hotY);
}

} // namespace

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
