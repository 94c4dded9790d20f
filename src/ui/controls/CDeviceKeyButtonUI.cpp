#include "ui/controls/CDeviceKeyButtonUI.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "ui/controls/ControlAttribute.h"
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

CDeviceKeyButtonUI::CDeviceKeyButtonUI(QWidget* parent) : QAbstractButton(parent) {
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
    } else if (m_statusImages.SetAttribute(name, value)) {
        update();
    }
}

bool CDeviceKeyButtonUI::event(QEvent* event) {
    if (auto attribute = AttributeFromEvent(*this, *event)) {
        SetAttribute(attribute->first, attribute->second);
    }
    return QAbstractButton::event(event);
}

void CDeviceKeyButtonUI::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const bool imaged =
        m_statusImages.Paint(painter, rect(), ButtonStatusImages::StateOf(*this, m_hot));
    if (!imaged && m_lightImage.isEmpty()) {
        PaintCap(painter);
        return;
    }
    if (m_tintSwitch == TintSwitch::kOn) {
        ImageString::Draw(painter, rect(), m_lightImage, m_tint, m_alpha, TintSwitch::kOn);
    }
    if (!m_keySetHidden) ImageString::Draw(painter, rect(), m_keySetImage);
    if (m_hot && isEnabled()) {
        // Keys sit on the device picture and have no face of their own; a thin outline shows
        // which one the pointer is over.
        painter.setPen(palette().color(QPalette::Highlight));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

void CDeviceKeyButtonUI::PaintCap(QPainter& painter) const {
    // A picture drawn in code has no key images: the key is a rounded cap (an LED a disc), lit
    // by its tint, with its legend; selection and the key-set mark are drawn over it.
    const bool round = property("capshape").toString() == "round";
    const QRectF cap = QRectF(rect()).adjusted(1, 1, -1, -1);
    const qreal radius = round ? cap.width() / 2 : std::min(cap.width(), cap.height()) / 5;
    auto drawShape = [&](const QRectF& area) {
        if (round) {
            painter.drawEllipse(area);
        } else {
            painter.drawRoundedRect(area, radius, radius);
        }
    };
    painter.setRenderHint(QPainter::Antialiasing);

    const bool hot = m_hot && isEnabled();
    painter.setPen(QPen(hot ? kCapEdgeHot : kCapEdge, 1));
    painter.setBrush(isDown() ? kCapFace.darker(120) : kCapFace);
    drawShape(cap);

    QColor light;
    if (m_tintSwitch == TintSwitch::kOn) {
        light = ImageString::TintColor(m_tint);
        const qreal strength = std::clamp(m_alpha, 0, 255) / 255.0;
        QColor fill = light;
        fill.setAlphaF(0.55 * strength);
        painter.setPen(Qt::NoPen);
        painter.setBrush(fill);
        drawShape(cap.adjusted(2, 2, -2, -2));
        QColor rim = light;
        rim.setAlphaF(strength);
        painter.setPen(QPen(rim, 1.5));
        painter.setBrush(Qt::NoBrush);
        drawShape(cap.adjusted(1, 1, -1, -1));
    }

    if (!text().isEmpty()) {
        QFont font = painter.font();
        font.setPixelSize(std::max(7, std::min(12, static_cast<int>(cap.height() / 3))));
        // Long legends shrink until they fit the cap.
        while (font.pixelSize() > 7 &&
               QFontMetrics(font).horizontalAdvance(text()) > cap.width() - 4) {
            font.setPixelSize(font.pixelSize() - 1);
        }
        painter.setFont(font);
        // Dark legends on brightly lit caps, light ones elsewhere.
        const bool bright = light.isValid() && m_alpha > 128 && light.lightnessF() > 0.6;
        painter.setPen(bright ? kLegendOnLight : kLegend);
        painter.drawText(cap, Qt::AlignCenter, text());
    }

    if (!m_keySetHidden) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(kAccent);
        painter.drawEllipse(QPointF(cap.right() - 4, cap.top() + 4), 2.5, 2.5);
    }
    if (m_keySelected || isChecked()) {
        painter.setPen(QPen(kAccent, 2));
        painter.setBrush(Qt::NoBrush);
        drawShape(cap.adjusted(1, 1, -1, -1));
    }
}

void CDeviceKeyButtonUI::mouseDoubleClickEvent(QMouseEvent* event) {
    if (!isEnabled() || !rect().contains(event->position().toPoint())) return;
    // The second press of a double-click acts as a press too, so its release still clicks.
    QAbstractButton::mousePressEvent(event);
    emit Notify(kNotifyDoubleClick, 0, 0);
    update();
}

void CDeviceKeyButtonUI::enterEvent(QEnterEvent* event) {
    m_hot = true;
    update();
    QAbstractButton::enterEvent(event);
}

void CDeviceKeyButtonUI::leaveEvent(QEvent* event) {
    m_hot = false;
    update();
    QAbstractButton::leaveEvent(event);
}

}  // namespace vestra::ui
