#include "ui/controls/CCloudShareListItemUI.h"

#include <QContextMenuEvent>
#include <QPainter>

#include "ui/controls/ControlAttribute.h"
#include "ui/controls/ControlNotifier.h"

namespace vestra::ui {

CCloudShareListItemUI::CCloudShareListItemUI(QWidget* parent) : ListRow(parent) {}

void CCloudShareListItemUI::SetAttribute(const QString& name, const QString& value) {
    if (name == "menu") m_menuEnabled = value == "true";
}

bool CCloudShareListItemUI::event(QEvent* event) {
    if (auto attribute = AttributeFromEvent(*this, *event)) {
        SetAttribute(attribute->first, attribute->second);
    }
    return ListRow::event(event);
}

void CCloudShareListItemUI::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    PaintBackground(painter);
    if (IsHot() && !IsSelected()) {
        painter.setPen(palette().color(QPalette::Highlight));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

void CCloudShareListItemUI::contextMenuEvent(QContextMenuEvent* event) {
    if (!m_menuEnabled) {
        ListRow::contextMenuEvent(event);
        return;
    }
    emit Notify(kNotifyMenu, event->globalPos().x(), event->globalPos().y());
}

}  // namespace vestra::ui
