#include "ui/controls/CWndUI.h"

namespace vestra::ui {

CWndUI::CWndUI(QWidget* parent) : QWidget(parent) {}

void CWndUI::SetHostedWindow(QWidget* hosted) {
    m_hosted = hosted;
    PlaceHostedWindow();
}

void CWndUI::SetAttribute(const QString&, const QString&) {}

void CWndUI::PlaceHostedWindow() {
    if (!m_hosted) return;
    // A child window is placed in its parent's coordinates, a top-level one on the screen.
    const QWidget* host = m_hosted->parentWidget();
    const QPoint screen = mapToGlobal(QPoint());
    const QPoint topLeft = host ? host->mapFromGlobal(screen) : screen;
    m_hosted->setGeometry(QRect(topLeft, size()));
    m_hosted->setAttribute(Qt::WA_ShowWithoutActivating);
    m_hosted->setVisible(isVisible());
}

void CWndUI::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    PlaceHostedWindow();
}

void CWndUI::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    PlaceHostedWindow();
}

void CWndUI::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    PlaceHostedWindow();
}

void CWndUI::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    PlaceHostedWindow();
}

}  // namespace vestra::ui
