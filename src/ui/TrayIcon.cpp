#include "ui/TrayIcon.h"

#include <QSystemTrayIcon>

#include "ui/WindowBase.h"

namespace vestra::ui {

TrayIcon::TrayIcon(WindowBase* owner) : QObject(owner), m_owner(owner) {}

TrayIcon::~TrayIcon() {
    Delete();
}

bool TrayIcon::Create(const QIcon& icon, const QString& toolTip) {
    Delete();
    if (!QSystemTrayIcon::isSystemTrayAvailable()) return false;
    m_icon = new QSystemTrayIcon(icon, this);
    m_icon->setToolTip(toolTip);
    connect(m_icon, &QSystemTrayIcon::activated, m_owner,
            [owner = m_owner](QSystemTrayIcon::ActivationReason reason) {
                owner->OnTrayEvent(reason);
            });
    m_icon->show();
    return true;
}

void TrayIcon::Delete() {
    delete m_icon;
    m_icon = nullptr;
}

}  // namespace vestra::ui
