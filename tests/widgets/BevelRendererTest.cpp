#include "widgets/BevelRenderer.h"

#include <gtest/gtest.h>

using tw::Raster;
using tw::Rgb;

namespace {

const Rgb kFace{30, 40, 60}; // luminance 42: lightening by 180 steps does not reach the cap
const tw::BevelStyle kStyle{0.75, 5};

int luminance(Rgb c) {
    return tw::rgbToHls(c).l;
}

} // namespace

TEST(BevelRenderer, leftEdgeOfTheReleasedImageFadesFrom180StepsToTheInnerLine) {
    const Raster face(40, 20, kFace);
    const Raster up = tw::renderBevel(face, face, kStyle, false);
    const int y = 10;

    EXPECT_EQ(up.at(0, y), tw::lighten(kFace, 0.75));
    EXPECT_NEAR(luminance(up.at(0, y)), luminance(kFace) + 180, 1);
    EXPECT_EQ(up.at(4, y), tw::mix(tw::lighten(kFace, 0.2 * 0.75), kFace, 0.2));
    EXPECT_NEAR(luminance(tw::lighten(kFace, 0.2 * 0.75)), luminance(kFace) + 36, 1);
    EXPECT_EQ(up.at(5, y), tw::lighten(kFace, 0.75)); // the inner line
    EXPECT_EQ(up.at(6, y), kFace);
}

TEST(BevelRenderer, pressedImageDarkensTheTopLeftAndLightensTheBottomRight) {
    const Raster face(40, 20, kFace);
    const Raster down = tw::renderBevel(face, face, kStyle, true);
    const int w = 39;
    const int h = 19;

    EXPECT_EQ(down.at(0, 10), tw::darken(kFace, 0.75));
    EXPECT_EQ(down.at(20, 0), tw::darken(kFace, 0.75));
    EXPECT_EQ(down.at(w, 10), tw::lighten(kFace, 0.75));
    EXPECT_EQ(down.at(20, h), tw::lighten(kFace, 0.75));
    EXPECT_EQ(down.at(w - 5, 10), tw::lighten(kFace, 0.75)); // inner right line
    EXPECT_EQ(down.at(20, 10), kFace);
}

TEST(BevelRenderer, edgesMixWithTheContainerUnderneathNotWithTheFace) {
    const Raster face(30, 20, Rgb{200, 0, 0});
    const Raster under(30, 20, Rgb{0, 0, 200});
    const Raster up = tw::renderBevel(face, under, kStyle, false);
    EXPECT_EQ(up.at(2, 10), tw::mix(tw::lighten({200, 0, 0}, 0.6 * 0.75), {0, 0, 200}, 0.6));
}

TEST(BevelRenderer, whiteFaceStaysWhiteOnLightEdgesAndBlackStaysBlackOnDarkEdges) {
    const Raster white(20, 20, Rgb{255, 255, 255});
    const Raster black(20, 20, Rgb{0, 0, 0});
    const Raster upWhite = tw::renderBevel(white, white, kStyle, false);
    const Raster upBlack = tw::renderBevel(black, black, kStyle, false);
    for (int k = 0; k <= 5; ++k) {
        EXPECT_EQ(upWhite.at(k, 10), (Rgb{255, 255, 255})) << k;
        EXPECT_EQ(upBlack.at(19 - k, 10), (Rgb{0, 0, 0})) << k;
    }
}

TEST(BevelRenderer, buttonSmallerThanItsBevelIsDrawnWithoutOverrun) {
    const Raster face(3, 2, kFace);
    const Raster up = tw::renderBevel(face, face, kStyle, false);
    EXPECT_EQ(up.width(), 3);
    EXPECT_EQ(up.height(), 2);
}

TEST(BevelRenderer, captionShadowIsTheCentreLightenedBy96Steps) {
    Raster image(11, 11, Rgb{0, 0, 0});
    image.set(5, 5, kFace);
    EXPECT_EQ(tw::captionShadowColour(image), tw::lighten(kFace, 0.4));
}
