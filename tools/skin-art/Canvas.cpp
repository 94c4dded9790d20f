#include "Canvas.h"

#include <algorithm>
#include <vector>

namespace vestra::skinart {

Canvas::Canvas(QSize size) : m_image(size, QImage::Format_ARGB32_Premultiplied) {
    m_image.fill(Qt::transparent);
    m_painter.begin(&m_image);
    m_painter.setRenderHint(QPainter::Antialiasing);
    m_painter.setRenderHint(QPainter::SmoothPixmapTransform);
}

QImage Canvas::Take() {
    m_painter.end();
    return m_image;
}

namespace {

// One pass of a box blur over the premultiplied pixels of a row or a column.
void BlurLine(const QImage& source, QImage& target, int radius, bool horizontal) {
    const int outer = horizontal ? source.height() : source.width();
    const int inner = horizontal ? source.width() : source.height();
    std::vector<int> sums(4);
    for (int o = 0; o < outer; ++o) {
        for (int i = 0; i < inner; ++i) {
            std::fill(sums.begin(), sums.end(), 0);
            int count = 0;
            for (int k = std::max(0, i - radius); k <= std::min(inner - 1, i + radius); ++k) {
                const QRgb pixel = horizontal ? source.pixel(k, o) : source.pixel(o, k);
                sums[0] += qRed(pixel);
                sums[1] += qGreen(pixel);
                sums[2] += qBlue(pixel);
                sums[3] += qAlpha(pixel);
                ++count;
            }
            const QRgb blurred =
                qRgba(sums[0] / count, sums[1] / count, sums[2] / count, sums[3] / count);
            if (horizontal) {
                target.setPixel(i, o, blurred);
            } else {
                target.setPixel(o, i, blurred);
            }
        }
    }
}

}  // namespace

QImage BlurAlpha(const QImage& image, int radius) {
    QImage source = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QImage across(source.size(), source.format());
    BlurLine(source, across, radius, true);
    QImage result(source.size(), source.format());
    BlurLine(across, result, radius, false);
    return result;
}

}  // namespace vestra::skinart
