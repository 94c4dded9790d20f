// The base of every window: builds its layout from the skin, finds controls by name, turns
// control signals into notifications, runs modally with a close code and keeps per-control timers.
#pragma once

#include <QPointer>
#include <QSystemTrayIcon>
#include <QWidget>
#include <map>

#include "ui/Notification.h"

class QEventLoop;

namespace vestra::ui {

class ResourceIndex;
struct MenuCommand;

class WindowBase : public QWidget {
    Q_OBJECT
public:
    explicit WindowBase(QWidget* parent = nullptr);
    ~WindowBase() override;

    // Builds the window's content from a layout given by resource id or file name, binds its
    // controls' notifications and calls InitWindow. False, with Error() saying why, when the
    // layout is unknown or cannot be loaded; the window is then left empty.
    bool Create(const ResourceIndex& resources, const QString& layoutName);
    QString Error() const { return m_error; }

    // The control of this name anywhere in the window, or null.
    QWidget* FindControl(const QString& name) const;
    // The control of this name below parent, or null.
    static QWidget* FindSubControlByName(QWidget* parent, const QString& name);

    // Connects the notifications of every control in subtree not yet bound; Create does this for
    // the layout, callers do it for controls they add later.
    void BindNotifications(QWidget* subtree);

    // Shows the window application-modal and returns the code given to Close; closing the
    // window any other way returns kCloseCodeCancel.
    static constexpr int kCloseCodeCancel = 0;
    int ShowModal();
    void Close(int code);
    void CenterWindow();

    // Every ms milliseconds until killed, a "timer" notification from control with wParam = id.
    // Setting the same (control, id) again restarts it; the timers end with the control.
    void SetTimer(QWidget* control, int id, int ms);
    void KillTimer(QWidget* control, int id);

    // Called by the menus and the tray icon this window owns.
    virtual void OnMenuCommand(const MenuCommand& command);
    virtual void OnTrayEvent(QSystemTrayIcon::ActivationReason reason);

protected:
    // After the layout is built and bound.
    virtual void InitWindow() {}
    virtual void Notify(const Notification& notification);

    void timerEvent(QTimerEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    struct ControlTimer {
        QPointer<QWidget> control;
        int id = 0;
    };

    void BindControl(QWidget* control);
    void Send(const QString& type, QWidget* sender, qintptr wParam = 0, qintptr lParam = 0);

    QWidget* m_content = nullptr;
    QString m_error;
    QEventLoop* m_modalLoop = nullptr;
    int m_closeCode = kCloseCodeCancel;
    std::map<int, ControlTimer> m_timers;  // by Qt timer id
};

}  // namespace vestra::ui
