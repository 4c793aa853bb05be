#include "widgets/ui/clsButton.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

const QColor kBackground(30, 40, 60);

tw::Rgb rgbAt(const QPixmap& pixmap, int x, int y) {
    const QColor c = pixmap.toImage().pixelColor(x, y);
    return {static_cast<std::uint8_t>(c.red()), static_cast<std::uint8_t>(c.green()),
            static_cast<std::uint8_t>(c.blue())};
}

struct ButtonOnWindow {
    ButtonOnWindow() {
        QPalette p = window.palette();
        p.setColor(QPalette::Window, kBackground);
        window.setPalette(p);
        window.setAutoFillBackground(true);
        window.resize(200, 100);
        button = new tw::clsButton(&window);
        button->setGeometry(20, 30, 120, 40);
        button->InitButton("OK", false, 0.75f, 5, 5, true);
    }
    QWidget window;
    tw::clsButton* button = nullptr;
};

} // namespace

TEST(clsButton, releasedImageIsTheWindowUnderneathWithItsBevel) {
    ButtonOnWindow w;
    const tw::Rgb bg{30, 40, 60};
    const QPixmap& up = w.button->hdcUP();
    ASSERT_EQ(up.deviceIndependentSize().toSize(), QSize(120, 40));
    if (up.devicePixelRatio() != 1) {
        GTEST_SKIP() << "the figures below are for one device pixel per pixel";
    }
    EXPECT_EQ(rgbAt(up, 0, 20), tw::lighten(bg, 0.75));
    EXPECT_EQ(rgbAt(up, 4, 20), tw::mix(tw::lighten(bg, 0.2 * 0.75), bg, 0.2));
    EXPECT_EQ(rgbAt(up, 5, 20), tw::lighten(bg, 0.75));
    EXPECT_EQ(rgbAt(up, 119, 20), tw::darken(bg, 0.75));
    EXPECT_EQ(rgbAt(up, 10, 20), bg);
    EXPECT_EQ(rgbAt(w.button->hdcDOWN(), 0, 20), tw::darken(bg, 0.75));
}

TEST(clsButton, captionIsDrawnAndMovesWhenPressed) {
    ButtonOnWindow w;
    const QImage up = w.button->hdcUP().toImage();
    const QImage down = w.button->hdcDOWN().toImage();
    int differentInside = 0;
    for (int y = 8; y < 32; ++y) {
        for (int x = 8; x < 112; ++x) {
            differentInside += up.pixel(x, y) != down.pixel(x, y) ? 1 : 0;
        }
    }
    EXPECT_GT(differentInside, 10);
}

TEST(clsButton, pressShowsThePressedImageAndOnlyAReleaseOverItClicks) {
    ButtonOnWindow w;
    QSignalSpy clicks(w.button, &tw::clsButton::clicked);
    QTest::mousePress(w.button, Qt::LeftButton, {}, QPoint(50, 20));
    EXPECT_TRUE(w.button->isPressed());
    EXPECT_EQ(w.button->grab().toImage().pixel(0, 20), w.button->hdcDOWN().toImage().pixel(0, 20));
    QTest::mouseRelease(w.button, Qt::LeftButton, {}, QPoint(50, 20));
    EXPECT_FALSE(w.button->isPressed());
    EXPECT_EQ(w.button->grab().toImage().pixel(0, 20), w.button->hdcUP().toImage().pixel(0, 20));
    EXPECT_EQ(clicks.count(), 1);

    // Released away from the button: the released image comes back, without a click.
    QTest::mousePress(w.button, Qt::LeftButton, {}, QPoint(50, 20));
    QTest::mouseRelease(w.button, Qt::LeftButton, {}, QPoint(500, -40));
    EXPECT_FALSE(w.button->isPressed());
    EXPECT_EQ(clicks.count(), 1);
}

TEST(clsButton, opaqueFaceUsesTheButtonsBackgroundColour) {
    ButtonOnWindow w;
    QPalette p = w.button->palette();
    p.setColor(QPalette::Window, QColor(200, 0, 0));
    w.button->setPalette(p);
    w.button->InitButton("", false, 0.75f, 5, 5, false);
    EXPECT_EQ(rgbAt(w.button->hdcUP(), 60, 20), (tw::Rgb{200, 0, 0}));
}
