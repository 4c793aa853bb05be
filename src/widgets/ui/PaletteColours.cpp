#include "widgets/ui/PaletteColours.h"

#include <algorithm>

namespace tw {

namespace {

constexpr int kReadableContrast = 80; // least difference in lightness between text and its ground

} // namespace

bool isDarkPalette(const QPalette& palette) {
    return palette.color(QPalette::Base).lightness() < palette.color(QPalette::Text).lightness();
}

QColor emphasisTextColour(const QPalette& palette) {
    if (!isDarkPalette(palette)) {
        return QColor(0, 0, 255);
    }
    QColor link = palette.color(QPalette::Link);
    // Readable on both stripes of a list.
    const int ground =
        std::max(palette.color(QPalette::Base).lightness(), palette.color(QPalette::AlternateBase).lightness());
    for (int i = 0; i < 8 && link.lightness() - ground < kReadableContrast; ++i) {
        link = link.lighter(130);
    }
    return link;
}

} // namespace tw
