#include "tools/ui/frmAdaptors.h"

#include <QTreeWidget>
#include <gmock/gmock.h>

TEST(AdaptorsLoopback, TheLoopbackShowsItsTypeAndNoPhysicalAddress) {
    tw::frmAdaptors window;
    auto* list = window.findChild<QTreeWidget*>("ListView1");
    ASSERT_EQ(list->topLevelItemCount(), 22);
    int lo = -1;
    for (int c = 1; c < list->columnCount(); ++c) {
        if (list->topLevelItem(0)->text(c) == "lo") {
            lo = c;
        }
    }
    ASSERT_GT(lo, 0) << "no column for the loopback interface";
    EXPECT_EQ(list->headerItem()->text(lo), QString("Adapter %1").arg(lo));
    EXPECT_EQ(list->topLevelItem(2)->text(lo), "24 Loopback");
    EXPECT_EQ(list->topLevelItem(5)->text(lo), "");
    EXPECT_EQ(list->topLevelItem(6)->text(lo), "");
    EXPECT_EQ(list->topLevelItem(7)->text(lo), "1 True");
}
