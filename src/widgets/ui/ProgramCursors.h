#pragma once

#include <QCursor>

namespace tw {

// The program's own mouse pointers, compiled in from resources/cursors. Both charts, the live one and the log
// viewer's, show what a double click does: enlarge over the normal chart, reduce over the enlarged one.
QCursor chartEnlargeCursor();
QCursor chartReduceCursor();
// The About window's link.
QCursor linkCursor();

} // namespace tw
