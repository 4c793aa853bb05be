#include "widgets/ui/StripedList.h"

#include "widgets/ui/PaletteColours.h"

#include <QTreeWidget>

namespace tw {

QTreeWidget* makeStripedList(QWidget* owner, const QString& objectName) {
    auto* list = new QTreeWidget(owner);
    list->setObjectName(objectName);
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    // White and cream on a light palette; a dark one keeps its own ground and stripe, so its light text stays legible.
    QPalette palette = list->palette();
    if (!isDarkPalette(palette)) {
        palette.setColor(QPalette::Base, Qt::white);
        palette.setColor(QPalette::AlternateBase, QColor(255, 247, 235));
        list->setPalette(palette);
    }
    list->setAlternatingRowColors(true);
    return list;
}

} // namespace tw
