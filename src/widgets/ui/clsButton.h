#pragma once

#include "widgets/BevelRenderer.h"

#include <QImage>
#include <QPixmap>
#include <QString>
#include <QWidget>

namespace tw {

// A drawn push button with a bevelled, three-dimensional look whose face is the picture of the window underneath.
// Both images (released and pressed) are rendered once by InitButton; a press only swaps them.
class clsButton : public QWidget {
    Q_OBJECT

public:
    explicit clsButton(QWidget* parent = nullptr);

    // Renders both images for the current size and shows the released one. shape cuts the widget to a rounded
    // outline with corners of (bevelWidth + cornerSize) x 2 + 1 pixels. Returns the seconds spent building.
    float InitButton(const QString& caption, bool shape, float light, qint16 bevelWidth, qint16 cornerSize,
                     bool transparent);
    // Shows the pressed image until the mouse button is released, wherever that happens.
    void TriggerButton();
    const QPixmap& hdcUP() const { return m_up; }
    const QPixmap& hdcDOWN() const { return m_down; }
    // Fill one image with the button's background colour.
    void ClsUP();
    void ClsDOWN();

    QString caption() const { return m_caption; }
    bool isPressed() const { return m_pressed; }

signals:
    // A press released over the button.
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QImage containerPixels() const;
    QPixmap renderState(const Raster& face, const Raster& under, bool pressed) const;
    void drawCaption(QImage& image, int dx, int dy) const;
    void applyShape();

    QString m_caption;
    BevelStyle m_style;
    qint16 m_cornerSize = 5;
    bool m_shape = false;
    bool m_transparent = true;
    bool m_initialised = false;
    bool m_pressed = false;
    bool m_building = false;
    QPixmap m_up;
    QPixmap m_down;
};

} // namespace tw
