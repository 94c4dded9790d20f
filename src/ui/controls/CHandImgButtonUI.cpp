#include "ui/controls/CHandImgButtonUI.h"

#include <QPainter>

#include "ui/controls/ControlNotifier.h"
#include "ui/controls/ImageString.h"

namespace vestra::ui {

CHandImgButtonUI::CHandImgButtonUI(QWidget* parent) : PictureButton(HoverNotices::kOn, parent) {
    connect(this, &QAbstractButton::clicked, this, [this] { emit Notify(kNotifyClick, 0, 0); });
}

void CHandImgButtonUI::SetAttribute(const QString& name, const QString& value) {
    if (name == "handimage") {
        m_handImage = value;
        update();
    } else {
        PictureButton::SetAttribute(name, value);
    }
}

void CHandImgButtonUI::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const ButtonState state = State();
    if (!m_statusImages.Paint(painter, rect(), state)) {
        ButtonStatusImages::PaintFace(painter, *this, state);
    }
    ImageString::Draw(painter, rect(), m_handImage);
}

}  // namespace vestra::ui
