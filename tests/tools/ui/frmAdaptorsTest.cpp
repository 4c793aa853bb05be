#include "tools/ui/frmAdaptors.h"

#include "platform/fake/FakeNetworkTables.h"

#include <QPushButton>
#include <QTreeWidget>
#include <gmock/gmock.h>

using namespace tw;

TEST(InterfaceWindow, ShowsOneColumnPerInterfaceAndUpdateAddsANewOne) {
    auto tables = std::make_shared<FakeNetworkTables>();
    InterfaceRow& lo = tables->addInterface(1, "lo", kIfTypeLoopback);
    lo.inOctets = 4'000'000'000ull;
    frmAdaptors window(nullptr, tables);
    EXPECT_EQ(window.windowTitle(), "Interface Information");
    auto* list = window.findChild<QTreeWidget*>("ListView1");
    ASSERT_EQ(list->columnCount(), 2);
    EXPECT_EQ(list->headerItem()->text(0), "");
    EXPECT_EQ(list->headerItem()->text(1), "Adapter 1");
    ASSERT_EQ(list->topLevelItemCount(), 22);
    EXPECT_EQ(list->topLevelItem(2)->text(0), "Interface type");
    EXPECT_TRUE(list->topLevelItem(2)->font(0).bold());
    EXPECT_EQ(list->topLevelItem(2)->text(1), "24 Loopback");
    EXPECT_EQ(list->topLevelItem(10)->text(1), QLocale().toString(4'000'000'000ull));

    tables->addInterface(2, "eth0");
    window.findChild<QPushButton*>("Command1")->click();
    ASSERT_EQ(list->columnCount(), 3);
    EXPECT_EQ(list->headerItem()->text(2), "Adapter 2");
    EXPECT_EQ(list->topLevelItem(0)->text(2), "eth0");
    EXPECT_EQ(list->topLevelItemCount(), 22);
}

TEST(InterfaceWindow, AnUnreadableTableLeavesOnlyThePropertyNames) {
    auto tables = std::make_shared<FakeNetworkTables>();
    tables->addInterface(1, "lo", kIfTypeLoopback);
    tables->failInterfaceReads(true);
    frmAdaptors window(nullptr, tables);
    auto* list = window.findChild<QTreeWidget*>("ListView1");
    EXPECT_EQ(list->columnCount(), 1);
    EXPECT_EQ(list->topLevelItemCount(), 22);
    EXPECT_EQ(list->topLevelItem(21)->text(0), "Output queue length");
}
