#include "ui/controls/CComboEditContainerElementUI.h"

#include <QHBoxLayout>
#include <QIntValidator>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

#include "ui/controls/ControlNotifier.h"

namespace vestra::ui {

CComboEditContainerElementUI::CComboEditContainerElementUI(QWidget* parent)
    : ListRow(parent),
      m_text1(new QLabel(this)),
      m_text2(new QLabel(this)),
      m_delayEdit(new QLineEdit(this)) {
    m_text1->setObjectName("text1");
    m_text2->setObjectName("text2");
    m_delayEdit->setObjectName("delay_edit");
    m_delayEdit->setValidator(new QIntValidator(0, kMaxDelay, m_delayEdit));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 2, 6, 2);
    layout->addWidget(m_text1, 1);
    layout->addWidget(m_text2, 1);
    layout->addWidget(m_delayEdit);
}

void CComboEditContainerElementUI::SetAttribute(const QString&, const QString&) {}

void CComboEditContainerElementUI::keyPressEvent(QKeyEvent* event) {
    // The delay field passes Enter on after it has taken the value, so the row sees it too.
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (!enter || !isEnabled()) {
        ListRow::keyPressEvent(event);
        return;
    }
    Activate();
    update();
    emit Notify(kNotifyReturn, 0, 0);
}

}  // namespace vestra::ui
