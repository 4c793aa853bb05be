#include "widgets/ui/modSortListView.h"

#include <QHeaderView>
#include <QTest>
#include <gmock/gmock.h>

using namespace tw;

namespace {

QStringList column(const QTreeWidget& list, int c) {
    QStringList out;
    for (int r = 0; r < list.topLevelItemCount(); ++r) {
        out << list.topLevelItem(r)->text(c);
    }
    return out;
}

void fill(QTreeWidget& list) {
    list.setColumnCount(3);
    modSortListView::setColumnSortType(&list, 0, SortType::Text);
    modSortListView::setColumnSortType(&list, 1, SortType::Number);
    modSortListView::setColumnSortType(&list, 2, SortType::Date);
    list.addTopLevelItem(new QTreeWidgetItem(QStringList{"b", "10 000", "2004-05-06 10:00"}));
    list.addTopLevelItem(new QTreeWidgetItem(QStringList{"a", "9 999", "2004-12-01 09:00"}));
    list.addTopLevelItem(new QTreeWidgetItem(QStringList{"c", "123 456", "2003-01-31 23:59"}));
}

} // namespace

TEST(modSortListView, SortsNumbersByValueAndKeepsEveryCellsText) {
    QTreeWidget list;
    fill(list);
    modSortListView::sortListView(&list, 1, true);
    EXPECT_THAT(column(list, 1), testing::ElementsAre("9 999", "10 000", "123 456"));
    EXPECT_THAT(column(list, 0), testing::ElementsAre("a", "b", "c"));
    EXPECT_EQ(list.header()->sortIndicatorSection(), 1);
}

TEST(modSortListView, SortsDatesByTimeAndText) {
    QTreeWidget list;
    fill(list);
    modSortListView::sortListView(&list, 2, false);
    EXPECT_THAT(column(list, 0), testing::ElementsAre("a", "b", "c"));
    modSortListView::sortListView(&list, 0, false);
    EXPECT_THAT(column(list, 0), testing::ElementsAre("c", "b", "a"));
}

// Clicking the same header again reverses the order. The header flips its own indicator on a real click before it
// reports the click; the order must still reverse.
TEST(modSortListView, RealClicksOnTheSameHeaderReverseTheOrderEachTime) {
    QTreeWidget list;
    fill(list);
    list.header()->setSortIndicator(0, Qt::DescendingOrder);
    list.header()->setSortIndicatorShown(true);
    modSortListView::sortOnHeaderClicks(&list);
    list.resize(400, 200);
    list.show();
    QHeaderView* header = list.header();
    const QPoint numbers(header->sectionViewportPosition(1) + header->sectionSize(1) / 2, header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, numbers);
    EXPECT_THAT(column(list, 1), testing::ElementsAre("9 999", "10 000", "123 456"));
    EXPECT_EQ(header->sortIndicatorOrder(), Qt::AscendingOrder);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, numbers, 300);
    EXPECT_THAT(column(list, 1), testing::ElementsAre("123 456", "10 000", "9 999"));
    EXPECT_EQ(header->sortIndicatorOrder(), Qt::DescendingOrder);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, numbers, 300);
    EXPECT_THAT(column(list, 1), testing::ElementsAre("9 999", "10 000", "123 456"));
}
