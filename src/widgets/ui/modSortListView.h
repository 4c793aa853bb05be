#pragma once

// moc cannot parse the C++20 library headers these pull in.
#ifndef Q_MOC_RUN
#include "common/ListSortKey.h"
#endif

#include <QTreeWidget>

namespace tw {

// Sorts a list (a QTreeWidget in list form) by one column as text, numbers or dates. Each column's comparison type
// is kept in its header item. The cell texts never change. The list records its last sort itself (until the first
// sort, the header's indicator stands for it): the header flips its own indicator on a real click, so the indicator
// cannot tell which way the list was sorted.
class modSortListView {
public:
    static void setColumnSortType(QTreeWidget* list, int column, SortType type);
    static SortType columnSortType(const QTreeWidget* list, int column);

    // Sorts by the column in the given direction and records it as the list's sort state; every cell keeps its text.
    static void sortListView(QTreeWidget* list, int column, bool ascending);
    // Whether the list was sorted since it was made.
    static bool isSorted(const QTreeWidget* list);
    // Sorts again by the list's recorded column and direction (after the rows were refilled).
    static void sortAgain(QTreeWidget* list);
    // A header click: the direction turns over, then the list is sorted by the clicked column.
    static void headerClicked(QTreeWidget* list, int column);
    // Connects the list's header clicks to headerClicked, starting from the header's present indicator.
    static void sortOnHeaderClicks(QTreeWidget* list);
};

} // namespace tw
