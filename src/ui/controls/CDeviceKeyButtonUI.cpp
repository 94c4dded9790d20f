#include "ui/controls/CDeviceKeyButtonUI.h"

#include <QMouseEvent>
#include <QPainter>

#include "ui/controls/ControlAttribute.h"
#include "ui/controls/ControlNotifier.h"

namespace vestra::ui {

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
    m_statusImages.Paint(painter, rect(), ButtonStatusImages::StateOf(*this, m_hot));
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
