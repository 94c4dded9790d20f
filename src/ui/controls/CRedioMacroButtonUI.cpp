#include "ui/controls/CRedioMacroButtonUI.h"

#include <QPainter>

#include "ui/controls/ControlAttribute.h"
#include "ui/controls/ControlNotifier.h"
#include "ui/controls/ImageString.h"

namespace vestra::ui {

CRedioMacroButtonUI::CRedioMacroButtonUI(QWidget* parent) : QAbstractButton(parent) {
    connect(this, &QAbstractButton::clicked, this, [this] { emit Notify(kNotifyClick, 0, 0); });
}

void CRedioMacroButtonUI::SetAttribute(const QString& name, const QString& value) {
    if (name == "redioimage") {
        m_redioImage = value;
    } else if (!m_statusImages.SetAttribute(name, value)) {
        return;
    }
    update();
}

bool CRedioMacroButtonUI::event(QEvent* event) {
    if (auto attribute = AttributeFromEvent(*this, *event)) {
        SetAttribute(attribute->first, attribute->second);
    }
    return QAbstractButton::event(event);
}

void CRedioMacroButtonUI::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const ButtonState state = ButtonStatusImages::StateOf(*this, m_hot);
    if (!m_statusImages.Paint(painter, rect(), state)) {
        // No face pictures: a flat row in the palette's colours, highlighted when checked.
        const QColor fill = isChecked() || state == ButtonState::kPushed
                                ? palette().color(QPalette::Highlight)
                                : palette().color(state == ButtonState::kHot ? QPalette::Midlight
                                                                             : QPalette::Button);
        painter.fillRect(rect(), fill);
    }
    // The mark is square, as high as the row, at its left; the text follows it.
    const QRect mark(0, 0, height(), height());
    ImageString::Draw(painter, mark, m_redioImage);
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    painter.drawText(rect().adjusted(mark.width() + 4, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft,
                     text());
}

void CRedioMacroButtonUI::enterEvent(QEnterEvent* event) {
    m_hot = true;
    update();
    QAbstractButton::enterEvent(event);
}

void CRedioMacroButtonUI::leaveEvent(QEvent* event) {
    m_hot = false;
    update();
    QAbstractButton::leaveEvent(event);
}

}  // namespace vestra::ui
