#pragma once

#include "app/MonitorView.h"

#include <QCursor>
#include <QIcon>
#include <QPixmap>
#include <QString>

namespace tw {

// The program's own images, compiled in from resources/icons and resources/cursors.
QIcon trayImage(TrayImage image);
// Toolbar image by its key ("Start", "Pause", ... "Contents").
QIcon toolbarImage(const QString& key);
QPixmap logoPixmap(int size);
// The chart's cursors: 102 over the normal chart (enlarge), 101 over the enlarged one (reduce).
QCursor chartEnlargeCursor();
QCursor chartReduceCursor();
// The About window's link.
QCursor linkCursor();

} // namespace tw
