#include "ui/controls/ButtonStatusImages.h"

#include <QAbstractButton>
#include <QPainter>

#include "ui/controls/ImageString.h"

namespace vestra::ui {

bool ButtonStatusImages::SetAttribute(const QString& name, const QString& value) {
    if (name == "normalimage") {
        m_normal = value;
    } else if (name == "hotimage") {
        m_hot = value;
    } else if (name == "pushedimage") {
        m_pushed = value;
    } else if (name == "disabledimage") {
        m_disabled = value;
    } else {
        return false;
    }
    return true;
}

bool ButtonStatusImages::Paint(QPainter& painter, const QRect& rect, ButtonState state) const {
    const QString* image = &m_normal;
    if (state == ButtonState::kHot && !m_hot.isEmpty()) image = &m_hot;
    if (state == ButtonState::kPushed && !m_pushed.isEmpty()) image = &m_pushed;
    if (state == ButtonState::kDisabled && !m_disabled.isEmpty()) image = &m_disabled;
    return ImageString::Draw(painter, rect, *image);
}

void ButtonStatusImages::PaintFace(QPainter& painter, const QAbstractButton& button,
                                   ButtonState state) {
    const QPalette& palette = button.palette();
    QColor fill = palette.color(QPalette::Button);
    if (state == ButtonState::kHot) fill = fill.lighter(125);
    if (state == ButtonState::kPushed) fill = palette.color(QPalette::Highlight);
    if (state == ButtonState::kDisabled) fill = palette.color(QPalette::Disabled, QPalette::Button);

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(fill);
    painter.drawRoundedRect(QRectF(button.rect()).adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
    painter.setPen(
        palette.color(state == ButtonState::kDisabled ? QPalette::Disabled : QPalette::Active,
                      QPalette::ButtonText));
    painter.drawText(button.rect(), Qt::AlignCenter, button.text());
    painter.restore();
}

ButtonState ButtonStatusImages::StateOf(const QAbstractButton& button, bool hot) {
    if (!button.isEnabled()) return ButtonState::kDisabled;
    if (button.isDown()) return ButtonState::kPushed;
    return hot ? ButtonState::kHot : ButtonState::kNormal;
}

}  // namespace vestra::ui
