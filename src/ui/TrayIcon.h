// The program's icon in the system tray; its activations go to the owner window.
#pragma once

#include <QObject>

class QIcon;
class QSystemTrayIcon;

namespace vestra::ui {

class WindowBase;

class TrayIcon : public QObject {
    Q_OBJECT
public:
    explicit TrayIcon(WindowBase* owner);
    ~TrayIcon() override;

    // Shows the icon; false, and nothing shown, when the desktop has no tray: the program then
    // runs with its window only.
    bool Create(const QIcon& icon, const QString& toolTip);
    void Delete();
    bool IsShown() const { return m_icon != nullptr; }

private:
    WindowBase* m_owner;
    QSystemTrayIcon* m_icon = nullptr;
};

}  // namespace vestra::ui
