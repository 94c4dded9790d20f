// A transparent image with an antialiased painter on it, the starting point of every picture.
#pragma once

#include <QImage>
#include <QPainter>

namespace vestra::skinart {

class Canvas {
public:
    explicit Canvas(QSize size);

    QPainter& Painter() { return m_painter; }
    // Ends painting and hands the picture over.
    QImage Take();

private:
    QImage m_image;
    QPainter m_painter;
};

// A copy of image with its alpha spread by a box blur of the given radius (for glows).
QImage BlurAlpha(const QImage& image, int radius);

}  // namespace vestra::skinart
