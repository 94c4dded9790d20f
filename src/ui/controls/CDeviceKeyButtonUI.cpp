#include "ui/controls/CDeviceKeyButtonUI.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>

#include "ui/controls/ControlNotifier.h"

namespace vestra::ui {
namespace {

const QColor kCapFace(0x23, 0x27, 0x30);
const QColor kCapEdge(0x3a, 0x3f, 0x4b);
const QColor kCapEdgeHot(0x33, 0xd0, 0xff);
const QColor kLegend(0xe6, 0xe8, 0xee);
const QColor kLegendOnLight(0x12, 0x14, 0x19);
const QColor kAccent(0x00, 0xc2, 0xff);

}  // namespace

CDeviceKeyButtonUI::CDeviceKeyButtonUI(QWidget* parent)
    : PictureButton(HoverNotices::kOff, parent) {
    connect(this, &QAbstractButton::clicked, this, [this] { emit Notify(kNotifyClick, 0, 0); });
}

void CDeviceKeyButtonUI::SetLightTint(quint32 tint, int alpha, TintSwitch tintSwitch) {
    m_tint = tint;
    m_alpha = alpha;
    m_tintSwitch = tintSwitch;
}

void CDeviceKeyButtonUI::SetKeySetHidden(bool hidden) {
    if (m_keySetHidden == hidden) return;
    m_keySetHidden = hidden;
    update();
}

void CDeviceKeyButtonUI::SetAttribute(const QString& name, const QString& value) {
    if (name == "lightimage") {
        m_lightImage = value;
        update();
    } else if (name == "keysetimage") {
        m_keySetImage = value;
        update();
    } else if (name == "gmnametextcolor") {
        // Kept by older layouts; the key name is not drawn on the picture.
    } else {
        PictureButton::SetAttribute(name, value);
    }
}

void CDeviceKeyButtonUI::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const bool imaged = m_statusImages.Paint(painter, rect(), State());
    if (!imaged && m_lightImage.isEmpty()) {
        PaintCap(painter);
        return;
    }
    if (m_tintSwitch == TintSwitch::kOn) {
        ImageString::Draw(painter, rect(), m_lightImage, m_tint, m_alpha, TintSwitch::kOn);
    }
    if (!m_keySetHidden) ImageString::Draw(painter, rect(), m_keySetImage);
    if (IsHot() && isEnabled()) {
        // Keys sit on the device picture and have no face of their own; a thin outline shows
        // which one the pointer is over.
        painter.setPen(palette().color(QPalette::Highlight));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

void CDeviceKeyButtonUI::PaintCap(QPainter& painter) const {
    // A picture drawn in code has no key images: the key is a rounded cap (an LED a disc), lit
    // by its tint, with its legend; selection and the key-set mark are drawn over it. The
    // lighting repaints keys many times a second, so everything but the light is drawn into
    // two pixmaps once per state and the light is laid between them along cached outlines.
    QColor light;
    if (m_tintSwitch == TintSwitch::kOn) light = ImageString::TintColor(m_tint);
    const CapState state{size(),
                         devicePixelRatioF(),
                         text(),
                         property("capshape").toString() == "round",
                         IsHot() && isEnabled(),
                         isDown(),
                         m_keySelected || isChecked(),
                         m_keySetHidden,
                         light.isValid() && m_alpha > 128 && light.lightnessF() > 0.6};
    if (!(state == m_capState) || m_capBase.isNull()) RenderCap(state);

    painter.drawPixmap(0, 0, m_capBase);
    if (light.isValid()) {
        const qreal strength = std::clamp(m_alpha, 0, 255) / 255.0;
        painter.setRenderHint(QPainter::Antialiasing);
        QColor fill = light;
        fill.setAlphaF(0.55 * strength);
        painter.fillPath(m_lightFill, fill);
        QColor rim = light;
        rim.setAlphaF(strength);
        painter.fillPath(m_lightRimOutline, rim);
    }
    painter.drawPixmap(0, 0, m_capTop);
}

void CDeviceKeyButtonUI::RenderCap(const CapState& state) const {
    m_capState = state;
    const QRectF cap = QRectF(QPointF(0, 0), state.size).adjusted(1, 1, -1, -1);
    const qreal radius = state.round ? cap.width() / 2 : std::min(cap.width(), cap.height()) / 5;
    auto shape = [&](const QRectF& area) {
        QPainterPath path;
        if (state.round) {
            path.addEllipse(area);
        } else {
            path.addRoundedRect(area, radius, radius);
        }
        return path;
    };
    m_lightFill = shape(cap.adjusted(2, 2, -2, -2));
    m_lightRim = shape(cap.adjusted(1, 1, -1, -1));
    // Filling a ready outline costs far less than stroking the rim on every frame.
    QPainterPathStroker stroker;
    stroker.setWidth(1.5);
    m_lightRimOutline = stroker.createStroke(m_lightRim);

    auto canvas = [&] {
        QPixmap pixmap(state.size * state.ratio);
        pixmap.setDevicePixelRatio(state.ratio);
        pixmap.fill(Qt::transparent);
        return pixmap;
    };
    m_capBase = canvas();
    {
        QPainter painter(&m_capBase);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(state.hot ? kCapEdgeHot : kCapEdge, 1));
        painter.setBrush(state.down ? kCapFace.darker(120) : kCapFace);
        painter.drawPath(shape(cap));
    }
    m_capTop = canvas();
    QPainter painter(&m_capTop);
    painter.setRenderHint(QPainter::Antialiasing);
    if (!state.text.isEmpty()) {
        QFont font = painter.font();
        font.setPixelSize(std::max(7, std::min(12, static_cast<int>(cap.height() / 3))));
        // Long legends shrink until they fit the cap.
        while (font.pixelSize() > 7 &&
               QFontMetrics(font).horizontalAdvance(state.text) > cap.width() - 4) {
            font.setPixelSize(font.pixelSize() - 1);
        }
        painter.setFont(font);
        // Dark legends on brightly lit caps, light ones elsewhere.
        painter.setPen(state.brightLight ? kLegendOnLight : kLegend);
        painter.drawText(cap, Qt::AlignCenter, state.text);
    }
    if (!state.keySetHidden) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(kAccent);
        painter.drawEllipse(QPointF(cap.right() - 4, cap.top() + 4), 2.5, 2.5);
    }
    if (state.selected) {
        painter.setPen(QPen(kAccent, 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(m_lightRim);
    }
}

void CDeviceKeyButtonUI::mouseDoubleClickEvent(QMouseEvent* event) {
    if (!isEnabled() || !rect().contains(event->position().toPoint())) return;
    // The second press of a double-click acts as a press too, so its release still clicks.
    QAbstractButton::mousePressEvent(event);
    emit Notify(kNotifyDoubleClick, 0, 0);
    update();
}

}  // namespace vestra::ui
