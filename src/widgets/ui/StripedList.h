#pragma once

class QString;
class QTreeWidget;
class QWidget;

namespace tw {

// The flat list of the tool windows and the log viewer: no tree decoration, rows of one height alternating white and
// cream (or the dark palette's own ground and stripe).
QTreeWidget* makeStripedList(QWidget* owner, const QString& objectName);

} // namespace tw
