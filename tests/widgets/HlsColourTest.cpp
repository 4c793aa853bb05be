#include "widgets/HlsColour.h"

#include <gtest/gtest.h>

using tw::Hls;
using tw::Rgb;

TEST(HlsColour, convertsPrimaryAndGreyColoursOnThe240Scale) {
    EXPECT_EQ(tw::rgbToHls({255, 0, 0}), (Hls{0, 120, 240}));
    EXPECT_EQ(tw::rgbToHls({0, 255, 0}), (Hls{80, 120, 240}));
    EXPECT_EQ(tw::rgbToHls({0, 0, 255}), (Hls{160, 120, 240}));
    EXPECT_EQ(tw::rgbToHls({255, 255, 255}).l, 240);
    EXPECT_EQ(tw::rgbToHls({0, 0, 0}).l, 0);
    EXPECT_EQ(tw::rgbToHls({128, 128, 128}), (Hls{160, 120, 0}));
}

TEST(HlsColour, convertsBackToTheSameColourWithinRounding) {
    for (Rgb c : {Rgb{255, 0, 0}, Rgb{0, 0, 255}, Rgb{255, 255, 255}, Rgb{0, 0, 0}, Rgb{100, 120, 140},
                  Rgb{212, 208, 200}, Rgb{10, 200, 90}}) {
        const Rgb back = tw::hlsToRgb(tw::rgbToHls(c));
        EXPECT_NEAR(back.r, c.r, 3);
        EXPECT_NEAR(back.g, c.g, 3);
        EXPECT_NEAR(back.b, c.b, 3);
    }
}

TEST(HlsColour, lighteningAndDarkeningMoveTheLuminanceByWholeStepsWithinTheScale) {
    const Rgb c{100, 120, 140};
    const int l = tw::rgbToHls(c).l;
    EXPECT_NEAR(tw::rgbToHls(tw::lighten(c, 0.15)).l, l + 36, 1);
    EXPECT_EQ(tw::rgbToHls(tw::lighten(c, 0.75)).l, 240);
    EXPECT_EQ(tw::rgbToHls(tw::darken(c, 0.75)).l, 0);
    EXPECT_EQ(tw::lighten(c, 0), c);
    EXPECT_EQ(tw::darken(c, -1), c);
    // White stays white when lightened and black stays black when darkened.
    EXPECT_EQ(tw::lighten({255, 255, 255}, 0.75), (Rgb{255, 255, 255}));
    EXPECT_EQ(tw::darken({0, 0, 0}, 0.75), (Rgb{0, 0, 0}));
}

TEST(HlsColour, mixingWeighsEachChannelAndClampsTheWeight) {
    EXPECT_EQ(tw::mix({200, 100, 0}, {0, 0, 100}, 0.2), (Rgb{40, 20, 80}));
    EXPECT_EQ(tw::mix({200, 100, 0}, {0, 0, 100}, 1.5), (Rgb{200, 100, 0}));
    EXPECT_EQ(tw::mix({200, 100, 0}, {0, 0, 100}, 0), (Rgb{0, 0, 100}));
}
