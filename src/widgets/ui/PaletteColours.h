#pragma once

#include <QColor>
#include <QPalette>

namespace tw {

// Whether the palette draws light text on a dark ground, as dark desktop themes do. The program's fixed colours
// (white and cream rows, the running session's blue) are meant for light ground; on dark ground the palette's own
// colours take their place.
bool isDarkPalette(const QPalette& palette);

// Text that stands out from the normal text of a list: pure blue on light ground, the palette's link colour (made
// light enough to read) on dark ground.
QColor emphasisTextColour(const QPalette& palette);

} // namespace tw
