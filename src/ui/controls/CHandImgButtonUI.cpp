#include "ui/controls/CHandImgButtonUI.h"

#include <QPainter>

#include "ui/controls/ControlAttribute.h"
#include "ui/controls/ControlNotifier.h"
#include "ui/controls/ImageString.h"

namespace vestra::ui {

CHandImgButtonUI::CHandImgButtonUI(QWidget* parent) : QAbstractButton(parent) {
    connect(this, &QAbstractButton::clicked, this, [this] { emit Notify(kNotifyClick, 0, 0); });
}

void CHandImgButtonUI::SetAttribute(const QString& name, const QString& value) {
    if (name == "handimage") {
        m_handImage = value;
        update();
    } else if (m_statusImages.SetAttribute(name, value)) {
        update();
    }
}

bool CHandImgButtonUI::event(QEvent* event) {
    if (auto attribute = AttributeFromEvent(*this, *event)) {
        SetAttribute(attribute->first, attribute->second);
    }
    return QAbstractButton::event(event);
}

void CHandImgButtonUI::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const ButtonState state = ButtonStatusImages::StateOf(*this, m_hot);
    if (!m_statusImages.Paint(painter, rect(), state)) {
        ButtonStatusImages::PaintFace(painter, *this, state);
    }
    ImageString::Draw(painter, rect(), m_handImage);
}

void CHandImgButtonUI::enterEvent(QEnterEvent* event) {
    if (isEnabled()) {
        m_hot = true;
        emit Notify(kNotifyMouseEnter, 0, 0);
        update();
    }
    QAbstractButton::enterEvent(event);
}

void CHandImgButtonUI::leaveEvent(QEvent* event) {
    if (isEnabled()) {
        m_hot = false;
        emit Notify(kNotifyMouseLeave, 0, 0);
        update();
    }
    QAbstractButton::leaveEvent(event);
}

}  // namespace vestra::ui
