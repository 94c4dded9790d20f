#include "DeviceIconArt.h"

#include <QPainterPath>
#include <array>

#include "ArtPalette.h"
#include "Canvas.h"

namespace vestra::skinart {
namespace {

// Holes are punched out of the filled body so the icon reads on any background.
void PunchOut(QPainter& painter, const QPainterPath& hole) {
    painter.save();
    painter.setCompositionMode(QPainter::CompositionMode_DestinationOut);
    painter.fillPath(hole, Qt::black);
    painter.restore();
}

void PunchOutStroke(QPainter& painter, const QPainterPath& line, double width) {
    QPainterPathStroker stroker;
    stroker.setWidth(width);
    stroker.setCapStyle(Qt::RoundCap);
    PunchOut(painter, stroker.createStroke(line));
}

void DrawKeyboard(QPainter& painter, const QColor& color) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(color);
    painter.drawRoundedRect(QRectF(6, 13, 60, 24), 4, 4);

    // 11 key columns across the body; the bottom row has a space bar five keys wide.
    constexpr double kLeft = 9.5, kTop = 16.3, kKey = 3.6, kGap = 1.24, kRowStep = 4.7;
    const double step = kKey + kGap;
    QPainterPath keys;
    for (int row = 0; row < 3; ++row) {
        const double indent = row * 0.8;
        const int count = row == 0 ? 11 : 10;
        for (int column = 0; column < count; ++column) {
            keys.addRoundedRect(
                QRectF(kLeft + indent + column * step, kTop + row * kRowStep, kKey, kKey), 0.8,
                0.8);
        }
    }
    const double bottom = kTop + 3 * kRowStep;
    constexpr std::array<std::pair<int, int>, 5> kBottomRow{
        {{0, 1}, {1, 1}, {2, 1}, {3, 5}, {8, 1}}};  // (first column, width in keys)
    for (const auto& [column, width] : kBottomRow) {
        keys.addRoundedRect(QRectF(kLeft + column * step, bottom, width * step - kGap, kKey), 0.8,
                            0.8);
    }
    keys.addRoundedRect(QRectF(kLeft + 9 * step, bottom, 2 * step - kGap, kKey), 0.8, 0.8);
    PunchOut(painter, keys);
}

void DrawMouse(QPainter& painter, const QColor& color) {
    QPainterPath body;
    body.moveTo(36, 4.5);
    body.cubicTo(46.5, 4.5, 49.5, 14, 49.5, 24);
    body.cubicTo(49.5, 36.5, 44, 43.5, 36, 43.5);
    body.cubicTo(28, 43.5, 22.5, 36.5, 22.5, 24);
    body.cubicTo(22.5, 14, 25.5, 4.5, 36, 4.5);
    painter.fillPath(body, color);

    QPainterPath seams;
    seams.moveTo(36, 3);
    seams.lineTo(36, 20);
    seams.moveTo(22, 20.5);
    seams.quadTo(36, 23.5, 50, 20.5);
    PunchOutStroke(painter, seams, 1.5);
    QPainterPath slot;
    slot.addRoundedRect(QRectF(33, 8, 6, 9.5), 3, 3);
    PunchOut(painter, slot);
    painter.setPen(Qt::NoPen);
    painter.setBrush(color);
    painter.drawRoundedRect(QRectF(34.4, 9.3, 3.2, 6.9), 1.6, 1.6);
}

// A pad seen from the front at a slant.
QPolygonF PadOutline() {
    return QPolygonF({QPointF(15, 15), QPointF(57, 15), QPointF(67, 34), QPointF(5, 34)});
}

void DrawHardPad(QPainter& painter, const QColor& color) {
    QColor surface = color;
    surface.setAlphaF(0.45);
    painter.setPen(QPen(color, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(surface);
    painter.drawPolygon(PadOutline());
    // The rigid slab under the surface, and a sheen across it.
    painter.setPen(Qt::NoPen);
    painter.setBrush(color);
    painter.drawRoundedRect(QRectF(4, 34, 64, 4.5), 1.5, 1.5);
    QPainterPath sheen;
    sheen.moveTo(24, 31);
    sheen.lineTo(34, 18);
    sheen.moveTo(31, 31);
    sheen.lineTo(38.5, 21.5);
    PunchOutStroke(painter, sheen, 1.6);
}

void DrawSoftPad(QPainter& painter, const QColor& color) {
    // The front right corner curls up: cloth, not a slab.
    const QPolygonF surfaceOutline(
        {QPointF(15, 15), QPointF(57, 15), QPointF(63.5, 27.3), QPointF(54, 37), QPointF(5, 37)});
    QColor surface = color;
    surface.setAlphaF(0.45);
    painter.setPen(Qt::NoPen);
    painter.setBrush(surface);
    painter.drawPolygon(surfaceOutline);

    QPen stitches(color, 1.3, Qt::CustomDashLine, Qt::RoundCap, Qt::RoundJoin);
    stitches.setDashPattern({1.6, 1.8});
    painter.setPen(stitches);
    painter.setBrush(Qt::NoBrush);
    painter.drawPolygon(QPolygonF({QPointF(17.5, 17.5), QPointF(55.3, 17.5), QPointF(60.3, 27),
                                   QPointF(52.5, 34.5), QPointF(9.5, 34.5)}));

    QPainterPath curl;
    curl.moveTo(63.5, 27.3);
    curl.quadTo(58, 30, 54, 37);
    curl.quadTo(60, 35.5, 66, 36);
    curl.closeSubpath();
    painter.setPen(Qt::NoPen);
    painter.fillPath(curl, color);
}

void DrawHeadset(QPainter& painter, const QColor& color) {
    QPainterPath band;
    band.moveTo(17, 28);
    band.cubicTo(17, 3.5, 55, 3.5, 55, 28);
    painter.setPen(QPen(color, 3.6, Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(band);

    QPainterPath boom;
    boom.moveTo(14, 38);
    boom.cubicTo(15, 45.5, 25, 46, 31, 42.5);
    painter.setPen(QPen(color, 2.2, Qt::SolidLine, Qt::RoundCap));
    painter.drawPath(boom);

    painter.setPen(Qt::NoPen);
    painter.setBrush(color);
    painter.drawEllipse(QPointF(32.5, 41.8), 2.4, 2.4);
    painter.drawRoundedRect(QRectF(10, 23, 13, 18), 5.5, 5.5);
    painter.drawRoundedRect(QRectF(49, 23, 13, 18), 5.5, 5.5);
    QPainterPath cushions;
    cushions.addRoundedRect(QRectF(17.5, 26.5, 3, 11), 1.5, 1.5);
    cushions.addRoundedRect(QRectF(51.5, 26.5, 3, 11), 1.5, 1.5);
    PunchOut(painter, cushions);
}

void DrawHub(QPainter& painter, const QColor& color) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(color);
    painter.drawRoundedRect(QRectF(8, 16, 48, 18), 4, 4);
    QPainterPath ports;
    for (int port = 0; port < 4; ++port) {
        ports.addRoundedRect(QRectF(13 + port * 9.5, 22.5, 6, 4), 0.8, 0.8);
    }
    ports.addEllipse(QPointF(51, 20.5), 1.4, 1.4);  // status lamp
    PunchOut(painter, ports);

    QPainterPath cable;
    cable.moveTo(56, 25);
    cable.cubicTo(63, 25, 62, 36, 69, 36);
    painter.setPen(QPen(color, 2.4, Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(cable);
}

void DrawUnknown(QPainter& painter, const QColor& color) {
    painter.setPen(QPen(color, 2.4));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(QRectF(23, 6, 26, 36), 6, 6);
    // The question mark: a hook and a dot.
    QPainterPath hook;
    hook.moveTo(31.5, 19);
    hook.cubicTo(31.5, 12.5, 41, 12.5, 41, 18.5);
    hook.cubicTo(41, 22.5, 36, 22.5, 36, 27.5);
    painter.setPen(QPen(color, 2.8, Qt::SolidLine, Qt::RoundCap));
    painter.drawPath(hook);
    painter.setPen(Qt::NoPen);
    painter.setBrush(color);
    painter.drawEllipse(QPointF(36, 33.5), 1.8, 1.8);
}

// A green disc with two chasing arrows: the device takes part in synchronised lighting.
void DrawSynchroBadge(QPainter& painter) {
    const QPointF centre(63, 9.5);
    QPainterPath clearance;
    clearance.addEllipse(centre, 9.5, 9.5);
    PunchOut(painter, clearance);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor::fromRgb(kSuccessColor));
    painter.drawEllipse(centre, 7.5, 7.5);

    const QColor arrow = QColor::fromRgb(kWindowColor);
    painter.setPen(QPen(arrow, 1.5, Qt::SolidLine, Qt::FlatCap));
    painter.setBrush(Qt::NoBrush);
    const QRectF ring(centre.x() - 3.8, centre.y() - 3.8, 7.6, 7.6);
    painter.drawArc(ring, 20 * 16, 130 * 16);
    painter.drawArc(ring, 200 * 16, 130 * 16);
    painter.setPen(Qt::NoPen);
    painter.setBrush(arrow);
    // Arrow heads at the end of each arc (150 and 330 degrees), pointing along the turn.
    painter.drawPolygon(QPolygonF({QPointF(centre.x() - 5.6, centre.y() - 3.2),
                                   QPointF(centre.x() - 1.4, centre.y() - 3.2),
                                   QPointF(centre.x() - 3.3, centre.y() + 0.2)}));
    painter.drawPolygon(QPolygonF({QPointF(centre.x() + 5.6, centre.y() + 3.2),
                                   QPointF(centre.x() + 1.4, centre.y() + 3.2),
                                   QPointF(centre.x() + 3.3, centre.y() - 0.2)}));
}

QImage ShapeImage(DeviceShape shape, const QColor& color) {
    Canvas canvas(kDeviceIconSize);
    DrawDeviceShape(canvas.Painter(), shape, color);
    return canvas.Take();
}

}  // namespace

void DrawDeviceShape(QPainter& painter, DeviceShape shape, const QColor& color) {
    painter.save();
    switch (shape) {
        case DeviceShape::kKeyboard:
            DrawKeyboard(painter, color);
            break;
        case DeviceShape::kMouse:
            DrawMouse(painter, color);
            break;
        case DeviceShape::kHardPad:
            DrawHardPad(painter, color);
            break;
        case DeviceShape::kSoftPad:
            DrawSoftPad(painter, color);
            break;
        case DeviceShape::kHeadset:
            DrawHeadset(painter, color);
            break;
        case DeviceShape::kHub:
            DrawHub(painter, color);
            break;
        case DeviceShape::kUnknown:
            DrawUnknown(painter, color);
            break;
    }
    painter.restore();
}

QImage DrawDeviceIcon(DeviceShape shape, DeviceIconState state) {
    const bool selected =
        state == DeviceIconState::kSelected || state == DeviceIconState::kSynchroSelected;
    const QColor color = QColor::fromRgb(selected ? kAccentColor : kSecondaryColor);
    const QImage silhouette = ShapeImage(shape, color);

    Canvas canvas(kDeviceIconSize);
    QPainter& painter = canvas.Painter();
    if (selected) {
        painter.setOpacity(0.55);
        painter.drawImage(0, 0, BlurAlpha(silhouette, 3));
        painter.setOpacity(1.0);
    }
    painter.drawImage(0, 0, silhouette);
    if (state == DeviceIconState::kSynchroNormal || state == DeviceIconState::kSynchroSelected) {
        DrawSynchroBadge(painter);
    }
    return canvas.Take();
}

QImage DrawNoDeviceIllustration() {
    Canvas canvas(QSize(240, 132));
    QPainter& painter = canvas.Painter();
    const QColor faint = QColor::fromRgb(kBorderColor).lighter(150);

    painter.save();
    painter.translate(-4, 8);
    painter.scale(1.9, 1.9);
    DrawDeviceShape(painter, DeviceShape::kKeyboard, faint);
    painter.restore();
    painter.save();
    painter.translate(120, 4);
    painter.scale(1.9, 1.9);
    DrawDeviceShape(painter, DeviceShape::kMouse, faint);
    painter.restore();

    // A cable from below ending in a plug, a gap, and the socket it should go into.
    const QColor accent = QColor::fromRgb(kAccentColor);
    QPainterPath cable;
    cable.moveTo(30, 132);
    cable.cubicTo(30, 112, 70, 116, 86, 116);
    painter.setPen(QPen(accent, 3, Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(cable);
    painter.setPen(Qt::NoPen);
    painter.setBrush(accent);
    painter.drawRoundedRect(QRectF(86, 109, 18, 14), 3, 3);
    painter.drawRect(QRectF(104, 112, 10, 8));

    QPen gap(QColor::fromRgb(kSecondaryColor), 2, Qt::CustomDashLine, Qt::RoundCap);
    gap.setDashPattern({1, 3});
    painter.setPen(gap);
    painter.drawLine(QPointF(120, 116), QPointF(146, 116));

    painter.setPen(QPen(QColor::fromRgb(kSecondaryColor), 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(QRectF(152, 108, 20, 16), 3, 3);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor::fromRgb(kSecondaryColor));
    painter.drawRect(QRectF(156, 113, 12, 6));
    return canvas.Take();
}

}  // namespace vestra::skinart
