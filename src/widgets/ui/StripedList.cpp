#include "widgets/ui/StripedList.h"

#include <QTreeWidget>

namespace tw {

QTreeWidget* makeStripedList(QWidget* owner, const QString& objectName) {
    auto* list = new QTreeWidget(owner);
    list->setObjectName(objectName);
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    QPalette palette = list->palette();
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::AlternateBase, QColor(255, 247, 235));
    list->setPalette(palette);
    list->setAlternatingRowColors(true);
    return list;
}

} // namespace tw
