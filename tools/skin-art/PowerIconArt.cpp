#include "PowerIconArt.h"

#include <QPainterPath>

#include "ArtPalette.h"
#include "Canvas.h"

namespace vestra::skinart {
namespace {

QPainterPath Bolt(QPointF centre, double scale) {
    QPainterPath bolt;
    bolt.addPolygon(QPolygonF({QPointF(1, -5), QPointF(-3, 1), QPointF(-0.2, 1), QPointF(-1, 5),
                               QPointF(3, -1), QPointF(0.2, -1)}));
    bolt.closeSubpath();
    QTransform place;
    place.translate(centre.x(), centre.y());
    place.scale(scale, scale);
    return place.map(bolt);
}

// The battery body, terminal and (when filled) its charge, with top at y.
void DrawBattery(QPainter& painter, double y, const QColor& outline, const QColor& fill) {
    painter.setPen(QPen(outline, 1.5));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(QRectF(2.75, y, 16.5, 10), 2, 2);
    painter.setPen(Qt::NoPen);
    painter.setBrush(outline);
    painter.drawRoundedRect(QRectF(20, y + 3, 2.2, 4), 0.8, 0.8);
    if (fill.isValid()) {
        painter.setBrush(fill);
        painter.drawRoundedRect(QRectF(4.75, y + 2, 12.5, 6), 1, 1);
    }
}

void PunchOut(QPainter& painter, const QPainterPath& hole) {
    painter.save();
    painter.setCompositionMode(QPainter::CompositionMode_DestinationOut);
    painter.fillPath(hole, Qt::black);
    painter.restore();
}

QPainterPath PhoneBody() {
    QPainterPath body;
    body.addRoundedRect(QRectF(6.75, 2.75, 10.5, 18.5), 2.5, 2.5);
    return body;
}

}  // namespace

QImage DrawPowerIcon(PowerIcon icon) {
    Canvas canvas(kPowerIconSize);
    QPainter& painter = canvas.Painter();
    const QColor text = QColor::fromRgb(kTextColor);
    const QColor green = QColor::fromRgb(kSuccessColor);
    switch (icon) {
        case PowerIcon::kOnBattery:
            DrawBattery(painter, 7, text, green);
            break;
        case PowerIcon::kCharging: {
            DrawBattery(painter, 7, text, green);
            const QPainterPath bolt = Bolt(QPointF(11, 12), 1.05);
            QPainterPathStroker halo;
            halo.setWidth(2.2);
            PunchOut(painter, halo.createStroke(bolt).united(bolt));
            painter.fillPath(bolt, text);
            break;
        }
        case PowerIcon::kWirelessCharging: {
            const QColor accent = QColor::fromRgb(kAccentColor);
            DrawBattery(painter, 11, accent, QColor());
            painter.fillPath(Bolt(QPointF(11, 16), 0.75), accent);
            painter.setPen(QPen(accent, 1.5, Qt::SolidLine, Qt::RoundCap));
            painter.setBrush(Qt::NoBrush);
            painter.drawArc(QRectF(7.5, 4.5, 7, 7), 45 * 16, 90 * 16);
            painter.drawArc(QRectF(4.5, 1.5, 13, 13), 50 * 16, 80 * 16);
            break;
        }
        case PowerIcon::kCharged: {
            DrawBattery(painter, 7, text, green);
            QPainterPath tick;
            tick.moveTo(7.5, 12);
            tick.lineTo(10, 14.3);
            tick.lineTo(14.5, 9.8);
            QPainterPathStroker stroker;
            stroker.setWidth(1.8);
            stroker.setCapStyle(Qt::RoundCap);
            stroker.setJoinStyle(Qt::RoundJoin);
            PunchOut(painter, stroker.createStroke(tick));
            break;
        }
    }
    return canvas.Take();
}

QImage DrawPhoneIcon(PhoneIcon icon) {
    Canvas canvas(kPowerIconSize);
    QPainter& painter = canvas.Painter();
    const QColor text = QColor::fromRgb(kTextColor);
    if (icon == PhoneIcon::kNoDevice) {
        QPen dashed(QColor::fromRgb(kSecondaryColor), 1.4, Qt::CustomDashLine);
        dashed.setDashPattern({2, 1.6});
        painter.setPen(dashed);
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(PhoneBody());
        painter.setPen(QPen(QColor::fromRgb(kDangerColor), 1.8, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(4.5, 19.5), QPointF(19.5, 4.5));
        return canvas.Take();
    }
    painter.setPen(QPen(text, 1.5));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(PhoneBody());
    painter.setPen(Qt::NoPen);
    painter.setBrush(text);
    switch (icon) {
        case PhoneIcon::kIphone:  // a notch across the top
            painter.drawRoundedRect(QRectF(9.5, 3.5, 5, 2), 1, 1);
            break;
        case PhoneIcon::kSamsung:  // a punch-hole camera
            painter.drawEllipse(QPointF(12, 5.6), 1.1, 1.1);
            break;
        case PhoneIcon::kOther:  // speaker slit and home button
            painter.drawRoundedRect(QRectF(10, 4.6, 4, 1), 0.5, 0.5);
            painter.setPen(QPen(text, 1.1));
            painter.setBrush(Qt::NoBrush);
            painter.drawEllipse(QPointF(12, 18), 1.3, 1.3);
            break;
        case PhoneIcon::kNoDevice:
            break;
    }
    return canvas.Take();
}

}  // namespace vestra::skinart
