#include "widgets/ui/StripedList.h"
#include "widgets/ui/PaletteColours.h"

#include "support/qt_DarkPalette.h"

#include <QTreeWidget>
#include <gtest/gtest.h>

#include <memory>

using namespace tw;
using twtest::readableOn;

TEST(StripedList, RowsAreWhiteAndCreamOnALightPaletteAndTheThemesOwnOnADarkOne) {
    QWidget owner;
    std::unique_ptr<QTreeWidget> light(makeStripedList(&owner, QStringLiteral("light")));
    EXPECT_TRUE(light->alternatingRowColors());
    EXPECT_EQ(light->palette().color(QPalette::Base), QColor(Qt::white));
    EXPECT_EQ(light->palette().color(QPalette::AlternateBase), QColor(255, 247, 235));

    twtest::DarkPalette dark;
    QWidget darkOwner;
    std::unique_ptr<QTreeWidget> list(makeStripedList(&darkOwner, QStringLiteral("dark")));
    const QPalette p = list->palette();
    EXPECT_TRUE(readableOn(p.color(QPalette::Text), p.color(QPalette::Base)));
    EXPECT_TRUE(readableOn(p.color(QPalette::Text), p.color(QPalette::AlternateBase)));
    EXPECT_NE(p.color(QPalette::Base), p.color(QPalette::AlternateBase)); // still striped
}

TEST(PaletteColours, EmphasisIsPureBlueOnLightGroundAndAReadableLinkColourOnDark) {
    EXPECT_EQ(emphasisTextColour(QPalette(Qt::black, Qt::white, Qt::white, Qt::gray, Qt::gray, Qt::black, Qt::white)),
              QColor(0, 0, 255));
    twtest::DarkPalette dark;
    const QPalette p = QApplication::palette();
    ASSERT_TRUE(isDarkPalette(p));
    const QColor emphasis = emphasisTextColour(p);
    EXPECT_TRUE(readableOn(emphasis, p.color(QPalette::Base)));
    EXPECT_GT(emphasis.blue(), emphasis.red()); // still the link's hue
}
