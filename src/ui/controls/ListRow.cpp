#include "ui/controls/ListRow.h"

#include <QMouseEvent>
#include <QPainter>

#include "ui/controls/ControlNotifier.h"

namespace vestra::ui {

ListRow::ListRow(QWidget* parent) : QWidget(parent) {}

void ListRow::SetSelected(bool selected) {
    if (m_selected == selected) return;
    m_selected = selected;
    update();
}

void ListRow::Activate() {
    if (isEnabled()) emit Notify(kNotifyItemActivate, 0, 0);
}

void ListRow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    PaintBackground(painter);
}

void ListRow::PaintBackground(QPainter& painter) const {
    if (m_selected) {
        painter.fillRect(rect(), palette().color(QPalette::Highlight));
    } else if (m_hot) {
        painter.fillRect(rect(), palette().color(QPalette::AlternateBase));
    }
}

void ListRow::mousePressEvent(QMouseEvent* event) {
    if (!isEnabled() || event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    SetSelected(true);
    emit Notify(kNotifyItemClick, 0, 0);
}

void ListRow::mouseDoubleClickEvent(QMouseEvent* event) {
    if (!isEnabled() || event->button() != Qt::LeftButton) {
        QWidget::mouseDoubleClickEvent(event);
        return;
    }
    Activate();
}

void ListRow::enterEvent(QEnterEvent* event) {
    if (isEnabled()) {
        m_hot = true;
        update();
    }
    QWidget::enterEvent(event);
}

void ListRow::leaveEvent(QEvent* event) {
    m_hot = false;
    update();
    QWidget::leaveEvent(event);
}

}  // namespace vestra::ui
