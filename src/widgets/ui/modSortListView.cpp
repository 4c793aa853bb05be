#include "widgets/ui/modSortListView.h"

#include <QApplication>
#include <QHeaderView>

#include <algorithm>
#include <string>
#include <vector>

namespace tw {

namespace {

constexpr int kSortTypeRole = Qt::UserRole + 100;
constexpr const char* kSortColumn = "twSortColumn";
constexpr const char* kSortAscending = "twSortAscending";
constexpr const char* kSorted = "twSorted";

struct SortState {
    int column;
    bool ascending;
};

SortState recordedSort(const QTreeWidget* list) {
    const QVariant column = list->property(kSortColumn);
    if (!column.isValid()) {
        const QHeaderView* header = list->header();
        return {header->sortIndicatorSection(), header->sortIndicatorOrder() == Qt::AscendingOrder};
    }
    return {column.toInt(), list->property(kSortAscending).toBool()};
}

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
    QTreeWidgetItem* current = list->currentItem();
    // Keys once per row, then one stable sort of plain strings: a year of sessions is tens of thousands of rows.
    const QList<QTreeWidgetItem*> rows = list->invisibleRootItem()->takeChildren();
    std::vector<std::pair<std::string, QTreeWidgetItem*>> keyed;
    keyed.reserve(static_cast<std::size_t>(rows.size()));
    for (QTreeWidgetItem* row : rows) {
        keyed.emplace_back(sortKey(row->text(column).toStdString(), type), row);
    }
    std::stable_sort(keyed.begin(), keyed.end(), [ascending](const auto& a, const auto& b) {
        return ascending ? a.first < b.first : b.first < a.first;
    });
    QList<QTreeWidgetItem*> sorted;
    sorted.reserve(rows.size());
    for (const auto& entry : keyed) {
        sorted.push_back(entry.second);
    }
    list->invisibleRootItem()->addChildren(sorted);
    if (current != nullptr) {
        list->setCurrentItem(current);
    }
    list->setProperty(kSortColumn, column);
    list->setProperty(kSortAscending, ascending);
    list->setProperty(kSorted, true);
    list->header()->setSortIndicator(column, ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
    list->header()->setSortIndicatorShown(true);
    list->setUpdatesEnabled(true);
    QApplication::restoreOverrideCursor();
}

bool modSortListView::isSorted(const QTreeWidget* list) {
    return list->property(kSorted).toBool();
}

void modSortListView::sortAgain(QTreeWidget* list) {
    const SortState sort = recordedSort(list);
    sortListView(list, sort.column, sort.ascending);
}

void modSortListView::headerClicked(QTreeWidget* list, int column) {
    // The recorded direction turns over whichever column was clicked.
    sortListView(list, column, !recordedSort(list).ascending);
}

void modSortListView::sortOnHeaderClicks(QTreeWidget* list) {
    // The state the list starts in is recorded now: by the time a click is reported, the header has changed it.
    const SortState initial = recordedSort(list);
    list->setProperty(kSortColumn, initial.column);
    list->setProperty(kSortAscending, initial.ascending);
    list->header()->setSectionsClickable(true);
    QObject::connect(list->header(), &QHeaderView::sectionClicked, list,
                     [list](int column) { headerClicked(list, column); });
}

} // namespace tw
