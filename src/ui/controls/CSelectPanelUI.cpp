#include "ui/controls/CSelectPanelUI.h"

#include <QMouseEvent>
#include <algorithm>

#include "ui/controls/CDeviceKeyButtonUI.h"
#include "ui/controls/ControlNotifier.h"

namespace vestra::ui {

CSelectPanelUI::CSelectPanelUI(QWidget* parent) : QWidget(parent) {}

void CSelectPanelUI::SetAttribute(const QString&, const QString&) {}

void CSelectPanelUI::mousePressEvent(QMouseEvent* event) {
    QWidget::mousePressEvent(event);
    if (!isEnabled()) return;
    m_pressed = true;
    m_start = event->position().toPoint();
}

void CSelectPanelUI::mouseMoveEvent(QMouseEvent* event) {
    QWidget::mouseMoveEvent(event);
    if (m_pressed) m_dragging = true;
    if (!m_dragging) return;
    m_current = event->position().toPoint();
    const int left = std::min(m_start.x(), m_current.x());
    const int right = std::max(m_start.x(), m_current.x());
    const int top = std::min(m_start.y(), m_current.y());
    const int bottom = std::max(m_start.y(), m_current.y());
    m_band = QRect(left, top, right - left, bottom - top);
    update();
}

void CSelectPanelUI::mouseReleaseEvent(QMouseEvent* event) {
    QWidget::mouseReleaseEvent(event);
    m_pressed = false;
    if (!m_dragging) return;
    m_dragging = false;
    m_start = m_current;
    // Key buttons are direct children placed on the picture, so their geometry is in the
    // panel's coordinates like the band. A band of no width or height touches nothing, and a
    // hidden key (one the current model does not have) is never selected.
    const auto children = findChildren<CDeviceKeyButtonUI*>(Qt::FindDirectChildrenOnly);
    for (CDeviceKeyButtonUI* key : children) {
        key->SetKeySelected(key->isVisibleTo(this) && m_band.intersects(key->geometry()));
    }
    update();
    emit Notify(kNotifyClickSelectEnd, 0, 0);
}

}  // namespace vestra::ui
