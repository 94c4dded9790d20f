#include "ui/controls/PictureButton.h"

#include "ui/controls/ControlAttribute.h"
#include "ui/controls/ControlNotifier.h"

namespace vestra::ui {

PictureButton::PictureButton(HoverNotices notices, QWidget* parent)
    : QAbstractButton(parent), m_notices(notices) {}

void PictureButton::SetAttribute(const QString& name, const QString& value) {
    if (m_statusImages.SetAttribute(name, value)) update();
}

bool PictureButton::event(QEvent* event) {
    if (auto attribute = AttributeFromEvent(*this, *event)) {
        SetAttribute(attribute->first, attribute->second);
    }
    return QAbstractButton::event(event);
}

void PictureButton::SetHot(bool hot, const char* notice) {
    if (m_notices == HoverNotices::kOn) {
        if (!isEnabled()) return;
        m_hot = hot;
        emit Notify(notice, 0, 0);
    } else {
        m_hot = hot;
    }
    update();
}

void PictureButton::enterEvent(QEnterEvent* event) {
    SetHot(true, kNotifyMouseEnter);
    QAbstractButton::enterEvent(event);
}

void PictureButton::leaveEvent(QEvent* event) {
    SetHot(false, kNotifyMouseLeave);
    QAbstractButton::leaveEvent(event);
}

}  // namespace vestra::ui
