#include "ui/controls/CRedioMacroButtonUI.h"

#include <QPainter>

#include "ui/controls/ControlNotifier.h"
#include "ui/controls/ImageString.h"

namespace vestra::ui {

CRedioMacroButtonUI::CRedioMacroButtonUI(QWidget* parent)
    : PictureButton(HoverNotices::kOff, parent) {
    connect(this, &QAbstractButton::clicked, this, [this] { emit Notify(kNotifyClick, 0, 0); });
}

void CRedioMacroButtonUI::SetAttribute(const QString& name, const QString& value) {
    if (name == "redioimage") {
        m_redioImage = value;
        update();
    } else {
        PictureButton::SetAttribute(name, value);
    }
}

void CRedioMacroButtonUI::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const ButtonState state = State();
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

}  // namespace vestra::ui
