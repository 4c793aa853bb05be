#include "history/ui/modSortListView.h"

#include <QApplication>
#include <QHeaderView>

namespace tw {

namespace {

constexpr int kSortTypeRole = Qt::UserRole + 100;
constexpr int kSortKeyRole = Qt::UserRole + 101;

} // namespace

void modSortListView::setColumnSortType(QTreeWidget* list, int column, SortType type) {
    list->headerItem()->setData(column, kSortTypeRole, static_cast<int>(type));
}

SortType modSortListView::columnSortType(const QTreeWidget* list, int column) {
    return static_cast<SortType>(list->headerItem()->data(column, kSortTypeRole).toInt());
}

void modSortListView::sortListView(QTreeWidget* list, int column, bool ascending) {
    if (list == nullptr || column < 0 || column >= list->columnCount()) {
        return;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    list->setUpdatesEnabled(false);
    const SortType type = columnSortType(list, column);
    const int rows = list->topLevelItemCount();
    // Keys once per cell, not once per comparison; the cell texts themselves never change.
    for (int r = 0; r < rows; ++r) {
        QTreeWidgetItem* item = list->topLevelItem(r);
        if (type == SortType::Text) {
            item->setData(column, kSortKeyRole, QVariant());
        } else {
            item->setData(column, kSortKeyRole,
                          QString::fromStdString(sortKey(item->text(column).toStdString(), type)));
        }
    }
    list->sortItems(column, ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
    list->header()->setSortIndicator(column, ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
    list->header()->setSortIndicatorShown(true);
    list->setUpdatesEnabled(true);
    QApplication::restoreOverrideCursor();
}

void modSortListView::sortAgain(QTreeWidget* list) {
    const QHeaderView* header = list->header();
    sortListView(list, header->sortIndicatorSection(), header->sortIndicatorOrder() == Qt::AscendingOrder);
}

void modSortListView::headerClicked(QTreeWidget* list, int column) {
    // The recorded direction turns over whichever column was clicked.
    const bool wasAscending = list->header()->sortIndicatorOrder() == Qt::AscendingOrder;
    sortListView(list, column, !wasAscending);
}

bool SortableListItem::operator<(const QTreeWidgetItem& other) const {
    const QTreeWidget* list = treeWidget();
    const int column = list != nullptr ? list->sortColumn() : 0;
    const QVariant mine = data(column, kSortKeyRole);
    const QVariant theirs = other.data(column, kSortKeyRole);
    if (mine.isValid() && theirs.isValid()) {
        return mine.toString() < theirs.toString();
    }
    return text(column) < other.text(column);
}

} // namespace tw
