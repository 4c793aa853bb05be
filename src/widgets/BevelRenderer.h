#pragma once

#include "widgets/HlsColour.h"

#include <vector>

namespace tw {

// A small row-major picture of plain colours.
class Raster {
public:
    Raster() = default;
    Raster(int width, int height, Rgb fill = {});

    int width() const { return m_width; }
    int height() const { return m_height; }
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < m_width && y < m_height; }
    Rgb at(int x, int y) const { return m_pixels[index(x, y)]; }
    // Points outside the picture are ignored, so edge loops may run past a button smaller than its bevel.
    void set(int x, int y, Rgb colour);

private:
    std::size_t index(int x, int y) const { return static_cast<std::size_t>(y) * m_width + x; }

    int m_width = 0;
    int m_height = 0;
    std::vector<Rgb> m_pixels;
};

struct BevelStyle {
    double light = 0.75; // strength of the edges, 0..1
    int bevelWidth = 5;  // pixels
};

// Draws the bevelled image of a button over its face. Every edge is strongest at the outer border and fades
// linearly into the container's colour (under) bevelWidth pixels inside, where a one-pixel line marks its inner
// border. Released: top and left lightened, right and bottom darkened; pressed: the other way round.
// face and under have the same size; the result has that size too.
Raster renderBevel(const Raster& face, const Raster& under, const BevelStyle& style, bool pressed);

// The colour of the caption's soft shadow: the image's centre lightened by 0.4.
Rgb captionShadowColour(const Raster& image);

} // namespace tw
