#pragma once

#include <cstdint>

namespace tw {

// A plain 8-bit RGB colour, independent of any toolkit.
struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;

    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// Hue, luminance and saturation on the 0..240 scale of the classic colour dialog.
struct Hls {
    int h = 0;
    int l = 0;
    int s = 0;

    friend bool operator==(const Hls&, const Hls&) = default;
};

inline constexpr int kHlsMax = 240;

Hls rgbToHls(Rgb colour);
Rgb hlsToRgb(Hls colour);

// Raise (lower) the luminance by t x 240 steps, capped to 0..240; t <= 0 leaves the colour as it is.
Rgb lighten(Rgb colour, double t);
Rgb darken(Rgb colour, double t);
// a x weight + b x (1 - weight) per channel; weight >= 1 gives a, weight <= 0 gives b.
Rgb mix(Rgb a, Rgb b, double weight);

} // namespace tw
