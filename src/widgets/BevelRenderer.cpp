#include "widgets/BevelRenderer.h"

namespace tw {

Raster::Raster(int width, int height, Rgb fill)
    : m_width(width > 0 ? width : 0), m_height(height > 0 ? height : 0),
      m_pixels(static_cast<std::size_t>(m_width) * m_height, fill) {}

void Raster::set(int x, int y, Rgb colour) {
    if (contains(x, y)) {
        m_pixels[index(x, y)] = colour;
    }
}

namespace {

using Shade = Rgb (*)(Rgb, double);

class BevelPainter {
public:
    BevelPainter(const Raster& face, const Raster& under, const BevelStyle& style)
        : m_face(face), m_under(under), m_out(face), m_light(style.light), m_bevel(style.bevelWidth),
          m_w(face.width() - 1), m_h(face.height() - 1) {}

    void paint(Shade topLeft, Shade bottomRight) {
        // Left edge and its inner line, then the top: the later loop wins where they overlap.
        for (int k = 0; k <= m_bevel && m_bevel > 0; ++k) {
            const double f = 1.0 - static_cast<double>(k) / m_bevel;
            for (int y = k; y <= m_h - k; ++y) {
                edgePixel(k, y, topLeft, f);
            }
        }
        for (int y = m_bevel; y <= m_h - m_bevel; ++y) {
            linePixel(m_bevel, y, topLeft);
        }
        for (int k = 0; k <= m_bevel && m_bevel > 0; ++k) {
            const double f = 1.0 - static_cast<double>(k) / m_bevel;
            for (int x = k; x <= m_w - k; ++x) {
                edgePixel(x, k, topLeft, f);
            }
        }
        for (int x = m_bevel; x <= m_w - m_bevel; ++x) {
            linePixel(x, m_bevel, topLeft);
        }
        for (int c = m_w - m_bevel; c <= m_w && m_bevel > 0; ++c) {
            const double f = static_cast<double>(c - (m_w - m_bevel)) / m_bevel;
            const int k = m_w - c;
            for (int y = k; y <= m_h - k; ++y) {
                edgePixel(c, y, bottomRight, f);
            }
        }
        for (int y = m_bevel; y <= m_h - m_bevel; ++y) {
            linePixel(m_w - m_bevel, y, bottomRight);
        }
        for (int r = m_h - m_bevel; r <= m_h && m_bevel > 0; ++r) {
            const double f = static_cast<double>(r - (m_h - m_bevel)) / m_bevel;
            const int k = m_h - r;
            for (int x = k; x <= m_w - k; ++x) {
                edgePixel(x, r, bottomRight, f);
            }
        }
        for (int x = m_bevel; x <= m_w - m_bevel; ++x) {
            linePixel(x, m_h - m_bevel, bottomRight);
        }
    }

    Raster take() { return std::move(m_out); }

private:
    void edgePixel(int x, int y, Shade shade, double f) {
        if (m_face.contains(x, y)) {
            m_out.set(x, y, mix(shade(m_face.at(x, y), f * m_light), m_under.at(x, y), f));
        }
    }
    void linePixel(int x, int y, Shade shade) {
        if (m_face.contains(x, y)) {
            m_out.set(x, y, shade(m_face.at(x, y), m_light));
        }
    }

    const Raster& m_face;
    const Raster& m_under;
    Raster m_out;
    double m_light;
    int m_bevel;
    int m_w;
    int m_h;
};

} // namespace

Raster renderBevel(const Raster& face, const Raster& under, const BevelStyle& style, bool pressed) {
    if (under.width() != face.width() || under.height() != face.height()) {
        return face;
    }
    BevelPainter painter(face, under, style);
    if (pressed) {
        painter.paint(&darken, &lighten);
    } else {
        painter.paint(&lighten, &darken);
    }
    return painter.take();
}

Rgb captionShadowColour(const Raster& image) {
    if (image.width() == 0 || image.height() == 0) {
        return {};
    }
    return lighten(image.at((image.width() - 1) / 2, (image.height() - 1) / 2), 0.4);
}

} // namespace tw
