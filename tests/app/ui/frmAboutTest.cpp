#include "app/ui/frmAbout.h"
#include "app/ui/WebPages.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

TEST(frmAboutTest, ShowsTheVersionAndTheLinkWithItsTooltipAndCloses) {
    tw::frmAbout about;
    EXPECT_EQ(about.windowTitle(), "About Tallywave");
    auto* version = about.findChild<QLabel*>("versionLabel");
    ASSERT_NE(version, nullptr);
    EXPECT_EQ(version->text(), QStringLiteral("Version %1.%2 Build #%3")
                                   .arg(TALLYWAVE_VERSION_MAJOR)
                                   .arg(TALLYWAVE_VERSION_MINOR)
                                   .arg(TALLYWAVE_BUILD_NUMBER));
    EXPECT_EQ(about.linkLabel()->toolTip(), "Visit the homepage");
    EXPECT_EQ(about.linkLabel()->text(), "https://tallywave.example");
    about.show();
    about.findChild<QPushButton*>("closeButton")->click();
    EXPECT_FALSE(about.isVisible());
}

TEST(frmAboutTest, LinkUnderlinesUnderTheMouseAndOpensTheMakersPage) {
    std::vector<QUrl> opened;
    tw::UrlOpener previous = tw::setUrlOpener([&opened](const QUrl& url) {
        opened.push_back(url);
        return true;
    });
    tw::frmAbout about;
    about.show();
    QLabel* link = about.linkLabel();
    QTest::mouseMove(link, link->rect().center());
    QCoreApplication::processEvents();
    QEvent enter(QEvent::Enter);
    QCoreApplication::sendEvent(link, &enter);
    EXPECT_TRUE(link->font().underline());
    QTest::mouseMove(&about, QPoint(2, 2));
    QMouseEvent move(QEvent::MouseMove, QPointF(2, 2), about.mapToGlobal(QPointF(2, 2)), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(&about, &move);
    EXPECT_FALSE(link->font().underline());

    QTest::mouseClick(link, Qt::LeftButton);
    tw::setUrlOpener(previous);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_TRUE(opened[0].toString().startsWith("https://tallywave.example/index.php?ref=Tallywave&v="));
}
