#include "BackgroundArt.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>
#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>

#include "ArtPalette.h"
#include "Canvas.h"

namespace vestra::skinart {
namespace {

QColor WithAlpha(QRgb rgb, int alpha) {
    QColor color = QColor::fromRgb(rgb);
    color.setAlpha(alpha);
    return color;
}

void FillBase(QPainter& painter, QRgb top, QRgb bottom) {
    QLinearGradient base(0, 0, 0, kBackgroundSize.height());
    base.setColorAt(0, QColor::fromRgb(top));
    base.setColorAt(1, QColor::fromRgb(bottom));
    painter.fillRect(QRect(QPoint(0, 0), kBackgroundSize), base);
}

void Glow(QPainter& painter, QPointF centre, double radius, const QColor& color) {
    QRadialGradient glow(centre, radius);
    glow.setColorAt(0, color);
    QColor edge = color;
    edge.setAlpha(0);
    glow.setColorAt(1, edge);
    painter.fillRect(QRect(QPoint(0, 0), kBackgroundSize), glow);
}

// Darkens the edges so the panels in the middle stand out.
void Vignette(QPainter& painter) {
    QRadialGradient vignette(QPointF(500, 320), 640);
    vignette.setColorAt(0.55, QColor(0, 0, 0, 0));
    vignette.setColorAt(1, QColor(0, 0, 0, 110));
    painter.fillRect(QRect(QPoint(0, 0), kBackgroundSize), vignette);
}

// Ember: warm glow from the lower left and slanted stripes.
void DrawEmber(QPainter& painter) {
    FillBase(painter, 0xff16120f, 0xff0f0d0c);
    Glow(painter, QPointF(120, 620), 620, QColor(255, 90, 40, 70));
    Glow(painter, QPointF(900, 40), 380, WithAlpha(kDangerColor, 28));
    painter.setPen(QPen(QColor(255, 140, 80, 14), 18));
    for (int x = -640; x < 1000; x += 64) {
        painter.drawLine(QPointF(x, 640), QPointF(x + 640, 0));
    }
}

// Aurora: soft bands of teal and blue across the top.
void DrawAurora(QPainter& painter) {
    FillBase(painter, 0xff0f161c, 0xff0c0f13);
    // The bands are drawn small, blurred and scaled up: light, not ribbons.
    constexpr int kShrink = 4;
    Canvas bands(kBackgroundSize / kShrink);
    QPainter& small = bands.Painter();
    small.scale(1.0 / kShrink, 1.0 / kShrink);
    for (int band = 0; band < 3; ++band) {
        QPainterPath wave;
        const double base = 150 + band * 70;
        for (int x = -40; x <= 1040; x += 20) {
            const QPointF point(x, base + 40 * std::sin(x / 160.0 + band * 1.7));
            if (x == -40) {
                wave.moveTo(point);
            } else {
                wave.lineTo(point);
            }
        }
        small.setPen(QPen(band == 1 ? WithAlpha(kSuccessColor, 70) : WithAlpha(kAccentColor, 80),
                          44 - band * 10, Qt::SolidLine, Qt::FlatCap));
        small.drawPath(wave);
    }
    painter.drawImage(QRect(QPoint(0, 0), kBackgroundSize), BlurAlpha(bands.Take(), 5));
    Glow(painter, QPointF(500, 200), 520, WithAlpha(kAccentColor, 24));
}

// Circuit: thin traces with pads on a navy ground.
void DrawCircuit(QPainter& painter) {
    FillBase(painter, 0xff0f1320, 0xff0b0d15);
    Glow(painter, QPointF(820, 520), 460, WithAlpha(kAccentColor, 34));
    std::minstd_rand random(20240611u);
    std::uniform_int_distribution<int> column(0, 49);
    std::uniform_int_distribution<int> row(0, 31);
    std::uniform_int_distribution<int> length(3, 12);
    std::uniform_int_distribution<int> turn(0, 1);
    const QColor trace = WithAlpha(kAccentColor, 52);
    const QColor pad = WithAlpha(kAccentColor, 70);
    for (int i = 0; i < 70; ++i) {
        QPointF point(column(random) * 20.0 + 10, row(random) * 20.0 + 10);
        QPainterPath path;
        path.moveTo(point);
        for (int leg = 0; leg < 3; ++leg) {
            const double step = length(random) * 20.0;
            point += (leg % 2 == turn(random)) ? QPointF(step, 0) : QPointF(step * 0.5, step * 0.5);
            path.lineTo(point);
        }
        painter.setPen(QPen(trace, 1.5));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(path);
        painter.setPen(Qt::NoPen);
        painter.setBrush(pad);
        painter.drawEllipse(point, 3, 3);
    }
}

// Hex: a honeycomb that fades in from the right under a violet glow.
void DrawHex(QPainter& painter) {
    FillBase(painter, 0xff15121e, 0xff0e0c14);
    Glow(painter, QPointF(760, 240), 520, QColor(150, 90, 255, 56));
    constexpr double kSide = 26;
    const double width = kSide * std::sqrt(3.0);
    for (int r = 0; r * kSide * 1.5 < 700; ++r) {
        for (int c = 0; c * width < 1060; ++c) {
            const QPointF centre(c * width + (r % 2) * width / 2, r * kSide * 1.5);
            QPolygonF hexagon;
            for (int corner = 0; corner < 6; ++corner) {
                const double angle = std::numbers::pi / 6 + corner * std::numbers::pi / 3;
                hexagon << centre + QPointF(std::cos(angle), std::sin(angle)) * (kSide - 2);
            }
            const int alpha = static_cast<int>(std::clamp(centre.x() / 1000.0, 0.0, 1.0) * 48);
            painter.setPen(QPen(QColor(170, 130, 255, alpha), 1.2));
            painter.setBrush(Qt::NoBrush);
            painter.drawPolygon(hexagon);
        }
    }
}

}  // namespace

QImage DrawDefaultBackground() {
    Canvas canvas(kBackgroundSize);
    QPainter& painter = canvas.Painter();
    FillBase(painter, 0xff171a21, kWindowColor);
    Glow(painter, QPointF(860, -40), 560, WithAlpha(kAccentColor, 30));
    Glow(painter, QPointF(80, 700), 480, WithAlpha(kAccentColor, 14));
    Vignette(painter);
    return canvas.Take().convertToFormat(QImage::Format_RGB32);
}

QImage DrawPresetBackground(int index) {
    Canvas canvas(kBackgroundSize);
    QPainter& painter = canvas.Painter();
    switch (index) {
        case 1:
            DrawAurora(painter);
            break;
        case 2:
            DrawEmber(painter);
            break;
        case 3:
            DrawCircuit(painter);
            break;
        default:
            DrawHex(painter);
            break;
    }
    Vignette(painter);
    return canvas.Take().convertToFormat(QImage::Format_RGB32);
}

QImage MakeThumbnail(const QImage& background) {
    return background.scaled(kThumbnailSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

QImage DrawLogo() {
    Canvas canvas(QSize(64, 64));
    QPainter& painter = canvas.Painter();
    QLinearGradient plate(0, 0, 0, 64);
    plate.setColorAt(0, QColor::fromRgb(0xff222631));
    plate.setColorAt(1, QColor::fromRgb(kWindowColor));
    painter.setPen(QPen(QColor::fromRgb(kBorderColor), 1.5));
    painter.setBrush(plate);
    painter.drawRoundedRect(QRectF(2.75, 2.75, 58.5, 58.5), 14, 14);

    // A "V" of two slanted blades, the right one split by a notch.
    QLinearGradient blade(0, 14, 0, 52);
    blade.setColorAt(0, QColor::fromRgb(kAccentColor));
    blade.setColorAt(1, QColor::fromRgb(kSuccessColor));
    QPainterPath letter;
    letter.addPolygon(QPolygonF(
        {QPointF(13, 15), QPointF(23, 15), QPointF(33, 40), QPointF(29, 50), QPointF(27, 50)}));
    letter.closeSubpath();
    letter.addPolygon(QPolygonF(
        {QPointF(41, 15), QPointF(51, 15), QPointF(37, 50), QPointF(32, 50), QPointF(35, 42)}));
    letter.closeSubpath();
    painter.setPen(Qt::NoPen);
    painter.fillPath(letter, blade);
    return canvas.Take();
}

}  // namespace vestra::skinart
