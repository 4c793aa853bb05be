#pragma once

#include <QApplication>
#include <QPalette>

#include <cstdlib>

namespace twtest {

// A dark desktop theme: light text on dark ground, a dim link colour. Set for the life of the object.
class DarkPalette {
public:
    DarkPalette() : m_before(QApplication::palette()) {
        QPalette dark;
        dark.setColor(QPalette::Window, QColor(45, 45, 48));
        dark.setColor(QPalette::WindowText, QColor(230, 230, 230));
        dark.setColor(QPalette::Base, QColor(30, 30, 32));
        dark.setColor(QPalette::AlternateBase, QColor(52, 52, 56));
        dark.setColor(QPalette::Text, QColor(230, 230, 230));
        dark.setColor(QPalette::Button, QColor(55, 55, 60));
        dark.setColor(QPalette::ButtonText, QColor(230, 230, 230));
        dark.setColor(QPalette::Highlight, QColor(60, 110, 180));
        dark.setColor(QPalette::HighlightedText, Qt::white);
        dark.setColor(QPalette::Link, QColor(40, 80, 160));
        QApplication::setPalette(dark);
    }
    ~DarkPalette() { QApplication::setPalette(m_before); }
    DarkPalette(const DarkPalette&) = delete;
    DarkPalette& operator=(const DarkPalette&) = delete;

private:
    QPalette m_before;
};

// Whether text of the one colour is easy to read on the other.
inline bool readableOn(const QColor& text, const QColor& ground) {
    return std::abs(text.lightness() - ground.lightness()) >= 80;
}

} // namespace twtest
