#include "widgets/HlsColour.h"

#include <algorithm>
#include <cmath>

namespace tw {

namespace {

constexpr int kRgbMax = 255;
constexpr int kUndefinedHue = kHlsMax * 2 / 3;

int hueToRgb(int n1, int n2, int hue) {
    if (hue < 0) {
        hue += kHlsMax;
    }
    if (hue > kHlsMax) {
        hue -= kHlsMax;
    }
    if (hue < kHlsMax / 6) {
        return n1 + ((n2 - n1) * hue + kHlsMax / 12) / (kHlsMax / 6);
    }
    if (hue < kHlsMax / 2) {
        return n2;
    }
    if (hue < kHlsMax * 2 / 3) {
        return n1 + ((n2 - n1) * (kHlsMax * 2 / 3 - hue) + kHlsMax / 12) / (kHlsMax / 6);
    }
    return n1;
}

std::uint8_t toChannel(int value) {
    return static_cast<std::uint8_t>(std::clamp(value, 0, kRgbMax));
}

Rgb withLuminance(Rgb colour, long luminance) {
    Hls hls = rgbToHls(colour);
    hls.l = static_cast<int>(std::clamp(luminance, 0L, static_cast<long>(kHlsMax)));
    return hlsToRgb(hls);
}

} // namespace

Hls rgbToHls(Rgb colour) {
    const int r = colour.r;
    const int g = colour.g;
    const int b = colour.b;
    const int cMax = std::max({r, g, b});
    const int cMin = std::min({r, g, b});
    Hls out;
    out.l = ((cMax + cMin) * kHlsMax + kRgbMax) / (2 * kRgbMax);
    if (cMax == cMin) {
        out.s = 0;
        out.h = kUndefinedHue;
        return out;
    }
    const int range = cMax - cMin;
    if (out.l <= kHlsMax / 2) {
        out.s = (range * kHlsMax + (cMax + cMin) / 2) / (cMax + cMin);
    } else {
        const int rest = 2 * kRgbMax - cMax - cMin;
        out.s = (range * kHlsMax + rest / 2) / rest;
    }
    const int rDelta = ((cMax - r) * (kHlsMax / 6) + range / 2) / range;
    const int gDelta = ((cMax - g) * (kHlsMax / 6) + range / 2) / range;
    const int bDelta = ((cMax - b) * (kHlsMax / 6) + range / 2) / range;
    if (r == cMax) {
        out.h = bDelta - gDelta;
    } else if (g == cMax) {
        out.h = kHlsMax / 3 + rDelta - bDelta;
    } else {
        out.h = kHlsMax * 2 / 3 + gDelta - rDelta;
    }
    if (out.h < 0) {
        out.h += kHlsMax;
    }
    if (out.h > kHlsMax) {
        out.h -= kHlsMax;
    }
    return out;
}

Rgb hlsToRgb(Hls colour) {
    const int lum = colour.l;
    const int sat = colour.s;
    if (sat == 0) {
        const auto grey = toChannel(lum * kRgbMax / kHlsMax);
        return {grey, grey, grey};
    }
    const int magic2 = lum <= kHlsMax / 2 ? (lum * (kHlsMax + sat) + kHlsMax / 2) / kHlsMax
                                          : lum + sat - (lum * sat + kHlsMax / 2) / kHlsMax;
    const int magic1 = 2 * lum - magic2;
    auto channel = [&](int hue) {
        return toChannel((hueToRgb(magic1, magic2, hue) * kRgbMax + kHlsMax / 2) / kHlsMax);
    };
    return {channel(colour.h + kHlsMax / 3), channel(colour.h), channel(colour.h - kHlsMax / 3)};
}

Rgb lighten(Rgb colour, double t) {
    if (t <= 0) {
        return colour;
    }
    return withLuminance(colour, std::lround(rgbToHls(colour).l + t * kHlsMax));
}

Rgb darken(Rgb colour, double t) {
    if (t <= 0) {
        return colour;
    }
    return withLuminance(colour, std::lround(rgbToHls(colour).l - t * kHlsMax));
}

Rgb mix(Rgb a, Rgb b, double weight) {
    if (weight >= 1) {
        return a;
    }
    if (weight <= 0) {
        return b;
    }
    auto channel = [weight](int x, int y) {
        return toChannel(static_cast<int>(std::lround(x * weight + y * (1 - weight))));
    };
    return {channel(a.r, b.r), channel(a.g, b.g), channel(a.b, b.b)};
}

} // namespace tw
