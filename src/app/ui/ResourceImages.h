#pragma once

#include "app/MonitorView.h"

#include <QIcon>
#include <QPixmap>
#include <QString>

namespace tw {

// The program's own images, compiled in from resources/icons (its pointers are in widgets/ui/ProgramCursors.h).
QIcon trayImage(TrayImage image);
// Toolbar image by its key ("Start", "Pause", ... "Contents").
QIcon toolbarImage(const QString& key);
QPixmap logoPixmap(int size);

} // namespace tw
