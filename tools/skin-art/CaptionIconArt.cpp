#include "CaptionIconArt.h"

#include <QPainterPath>
#include <cmath>
#include <numbers>

#include "ArtPalette.h"
#include "Canvas.h"

namespace vestra::skinart {
namespace {

QPen LinePen(double width = 1.6) {
    return QPen(QColor::fromRgb(kCaptionIconColor), width, Qt::SolidLine, Qt::RoundCap,
                Qt::RoundJoin);
}

void DrawShirt(QPainter& painter) {
    QPainterPath shirt;
    shirt.moveTo(5.5, 2.5);
    shirt.lineTo(1.8, 4.8);
    shirt.lineTo(3.3, 7.8);
    shirt.lineTo(4.8, 7.1);
    shirt.lineTo(4.8, 13.5);
    shirt.lineTo(11.2, 13.5);
    shirt.lineTo(11.2, 7.1);
    shirt.lineTo(12.7, 7.8);
    shirt.lineTo(14.2, 4.8);
    shirt.lineTo(10.5, 2.5);
    shirt.quadTo(8, 5, 5.5, 2.5);
    painter.setPen(LinePen(1.3));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(shirt);
}

void DrawGear(QPainter& painter) {
    constexpr int kTeeth = 8;
    const QPointF centre(8, 8);
    QPolygonF outline;
    for (int i = 0; i < kTeeth * 4; ++i) {
        // Each tooth: two points on the outer radius, two on the root radius.
        const double angle = (i - 0.5) * 2 * std::numbers::pi / (kTeeth * 4);
        const double radius = (i % 4 < 2) ? 7.0 : 5.2;
        outline << centre + QPointF(std::cos(angle) * radius, std::sin(angle) * radius);
    }
    QPainterPath gear;
    gear.addPolygon(outline);
    gear.closeSubpath();
    QPainterPath hole;
    hole.addEllipse(centre, 2.3, 2.3);
    painter.fillPath(gear.subtracted(hole), QColor::fromRgb(kCaptionIconColor));
}

void DrawGamepad(QPainter& painter) {
    QPainterPath pad;
    pad.moveTo(4.5, 4.5);
    pad.lineTo(11.5, 4.5);
    pad.cubicTo(14.5, 4.5, 15.8, 12.5, 14.2, 12.8);
    pad.cubicTo(12.8, 13.1, 11.5, 10.5, 10.5, 10.5);
    pad.lineTo(5.5, 10.5);
    pad.cubicTo(4.5, 10.5, 3.2, 13.1, 1.8, 12.8);
    pad.cubicTo(0.2, 12.5, 1.5, 4.5, 4.5, 4.5);
    QPainterPath marks;
    marks.addRect(QRectF(3.6, 6.9, 3.4, 1.2));  // cross pad
    marks.addRect(QRectF(4.7, 5.8, 1.2, 3.4));
    marks.addEllipse(QPointF(11.2, 6.6), 0.8, 0.8);
    marks.addEllipse(QPointF(12.6, 8.2), 0.8, 0.8);
    painter.fillPath(pad.subtracted(marks), QColor::fromRgb(kCaptionIconColor));
}

void DrawCloud(QPainter& painter) {
    QPainterPath cloud;
    cloud.moveTo(4.5, 12.5);
    cloud.cubicTo(1.5, 12.5, 1.5, 8, 4.5, 8);
    cloud.cubicTo(4.5, 3.5, 10.5, 3, 11.5, 7);
    cloud.cubicTo(15, 7, 15, 12.5, 11.5, 12.5);
    cloud.closeSubpath();
    painter.setPen(LinePen(1.4));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(cloud);
}

void DrawEye(QPainter& painter) {
    QPainterPath eye;
    eye.moveTo(1.5, 8);
    eye.quadTo(8, 1, 14.5, 8);
    eye.quadTo(8, 15, 1.5, 8);
    painter.setPen(LinePen(1.4));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(eye);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor::fromRgb(kCaptionIconColor));
    painter.drawEllipse(QPointF(8, 8), 2.2, 2.2);
}

}  // namespace

QImage DrawCaptionIcon(CaptionIcon icon) {
    Canvas canvas(kCaptionIconSize);
    QPainter& painter = canvas.Painter();
    painter.setPen(LinePen());
    painter.setBrush(Qt::NoBrush);
    switch (icon) {
        case CaptionIcon::kClose:
            painter.drawLine(QPointF(4, 4), QPointF(12, 12));
            painter.drawLine(QPointF(12, 4), QPointF(4, 12));
            break;
        case CaptionIcon::kMinimise:
            painter.drawLine(QPointF(3.5, 8.5), QPointF(12.5, 8.5));
            break;
        case CaptionIcon::kMaximise:
            painter.drawRect(QRectF(3.5, 3.5, 9, 9));
            break;
        case CaptionIcon::kRestore:
            painter.drawRect(QRectF(3, 5.5, 7.5, 7.5));
            painter.drawPolyline(QPolygonF({QPointF(5.5, 3), QPointF(13, 3), QPointF(13, 10.5)}));
            break;
        case CaptionIcon::kSkin:
            DrawShirt(painter);
            break;
        case CaptionIcon::kSettings:
            DrawGear(painter);
            break;
        case CaptionIcon::kPrevious:
            painter.setPen(LinePen(1.8));
            painter.drawPolyline(QPolygonF({QPointF(10, 3.5), QPointF(5.5, 8), QPointF(10, 12.5)}));
            break;
        case CaptionIcon::kNext:
            painter.setPen(LinePen(1.8));
            painter.drawPolyline(QPolygonF({QPointF(6, 3.5), QPointF(10.5, 8), QPointF(6, 12.5)}));
            break;
        case CaptionIcon::kGameMode:
            DrawGamepad(painter);
            break;
        case CaptionIcon::kCloud:
            DrawCloud(painter);
            break;
        case CaptionIcon::kSmartEyes:
            DrawEye(painter);
            break;
    }
    return canvas.Take();
}

}  // namespace vestra::skinart
