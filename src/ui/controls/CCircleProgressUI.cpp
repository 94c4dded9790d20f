#include "ui/controls/CCircleProgressUI.h"

#include <QPainter>

#include "ui/controls/ControlAttribute.h"

namespace vestra::ui {

CCircleProgressUI::CCircleProgressUI(QWidget* parent) : QProgressBar(parent) {
    setTextVisible(false);
}

int CCircleProgressUI::SweepDegrees() const {
    const qint64 span = qint64(maximum()) - minimum();
    // A bar that was never given a value holds minimum - 1.
    if (span <= 0 || value() < minimum()) return 0;
    return static_cast<int>((qint64(value()) - minimum()) * 1.0 / span * 360);
}

void CCircleProgressUI::SetAttribute(const QString& name, const QString& value) {
    if (name == "bkcolor") {
        m_backgroundColor = ParseColorAttribute(value).value_or(QColor());
    } else if (name == "forecolor") {
        m_foregroundColor = ParseColorAttribute(value).value_or(QColor());
    } else {
        return;
    }
    update();
}

bool CCircleProgressUI::event(QEvent* event) {
    if (auto attribute = AttributeFromEvent(*this, *event)) {
        SetAttribute(attribute->first, attribute->second);
    }
    return QProgressBar::event(event);
}

void CCircleProgressUI::paintEvent(QPaintEvent*) {
    const QColor background =
        m_backgroundColor.isValid() ? m_backgroundColor : palette().color(QPalette::Mid);
    const QColor foreground =
        m_foregroundColor.isValid() ? m_foregroundColor : palette().color(QPalette::Highlight);

    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(background);
    painter.drawEllipse(rect());
    // Angles run clockwise from three o'clock with y downwards, so 90 degrees is the bottom;
    // Qt counts counter-clockwise in sixteenths of a degree.
    const int sweep = SweepDegrees();
    if (sweep != 0) {
        painter.setBrush(foreground);
        painter.drawPie(rect(), -90 * 16, -sweep * 16);
    }
    painter.setBrush(Qt::white);
    painter.drawEllipse(rect().adjusted(kRingWidth, kRingWidth, -kRingWidth, -kRingWidth));
    if (isTextVisible()) {
        painter.setPen(Qt::black);
        painter.drawText(rect(), Qt::AlignCenter, text());
    }
}

}  // namespace vestra::ui
