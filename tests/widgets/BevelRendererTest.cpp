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

TEST(BevelRenderer, releasedEdgesAreLitTopLeftShadedBottomRightAndFadeInwardsToTheInnerLine) {
    const Raster face(40, 20, kFace);
    const Raster up = tw::renderBevel(face, face, kStyle, false);
    const int y = 10;
    const int x = 20;
    const int lit = luminance(kFace) + 180; // 0.75 of the 240 steps
    EXPECT_NEAR(luminance(up.at(0, y)), lit, 1);
    EXPECT_NEAR(luminance(up.at(x, 0)), lit, 1);
    for (int k = 1; k < kStyle.bevelWidth; ++k) {
        EXPECT_LT(luminance(up.at(k, y)), luminance(up.at(k - 1, y))) << "left edge fades at " << k;
        EXPECT_GT(luminance(up.at(39 - k, y)), luminance(up.at(40 - k, y))) << "right edge fades at " << k;
        EXPECT_GT(luminance(up.at(k, y)), luminance(kFace));
        EXPECT_LT(luminance(up.at(39 - k, y)), luminance(kFace));
    }
    EXPECT_EQ(up.at(kStyle.bevelWidth, y), up.at(0, y)) << "the inner line is as strong as the border";
    EXPECT_EQ(up.at(kStyle.bevelWidth + 1, y), kFace);
    EXPECT_EQ(up.at(x, y), kFace);
    EXPECT_LT(luminance(up.at(x, 19)), luminance(kFace));
}

TEST(BevelRenderer, pressedImageDarkensTheTopLeftAndLightensTheBottomRight) {
    const Raster face(40, 20, kFace);
    const Raster up = tw::renderBevel(face, face, kStyle, false);
    const Raster down = tw::renderBevel(face, face, kStyle, true);
    const int w = 39;
    const int h = 19;
    EXPECT_LT(luminance(down.at(0, 10)), luminance(kFace));
    EXPECT_LT(luminance(down.at(20, 0)), luminance(kFace));
    EXPECT_EQ(down.at(w, 10), up.at(0, 10)) << "lit as the released left edge";
    EXPECT_EQ(down.at(20, h), up.at(20, 0));
    EXPECT_EQ(down.at(w - kStyle.bevelWidth, 10), down.at(w, 10)); // the inner right line
    EXPECT_EQ(down.at(20, 10), kFace);
}

TEST(BevelRenderer, edgesFadeIntoTheContainerUnderneathNotIntoTheFace) {
    const Rgb red{200, 0, 0};
    const Raster face(30, 20, red);
    const Raster onRed = tw::renderBevel(face, face, kStyle, false);
    const Raster onBlue = tw::renderBevel(face, Raster(30, 20, Rgb{0, 0, 200}), kStyle, false);
    EXPECT_EQ(onBlue.at(0, 10), onRed.at(0, 10)) << "the border is the shaded face alone";
    for (int k = 1; k < kStyle.bevelWidth; ++k) {
        EXPECT_GT(onBlue.at(k, 10).b, onRed.at(k, 10).b) << k;
    }
    EXPECT_EQ(onBlue.at(kStyle.bevelWidth, 10), onRed.at(kStyle.bevelWidth, 10)) << "the inner line";
    EXPECT_EQ(onBlue.at(15, 10), red);
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

TEST(BevelRenderer, captionShadowIsTheCentreLightenedBy96StepsWhateverSurroundsIt) {
    Raster image(11, 11, Rgb{0, 0, 0});
    image.set(5, 5, kFace);
    const Rgb shadow = tw::captionShadowColour(image);
    EXPECT_NEAR(luminance(shadow), luminance(kFace) + 96, 1);
    image.set(4, 5, Rgb{255, 255, 255});
    image.set(0, 0, Rgb{255, 0, 0});
    EXPECT_EQ(tw::captionShadowColour(image), shadow);
}
