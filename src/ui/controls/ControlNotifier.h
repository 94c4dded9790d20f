// How custom controls raise notifications: every control that raises any has the Qt signal
//     void Notify(const QString& type, qintptr wParam, qintptr lParam);
// and the window adapter forwards it as (type, sender, wParam, lParam). Button-like controls raise
// "click" through it as well, so the adapter needs no other signal of a custom control.
// Parameters are 0 unless a type says otherwise: "menu" carries the pointer's screen x and y.
#pragma once

#include <QObject>
#include <QString>
#include <functional>

namespace vestra::ui {

inline constexpr char kNotifyClick[] = "click";
inline constexpr char kNotifyDoubleClick[] = "dbclick";
inline constexpr char kNotifyClickSelectEnd[] = "click_select_end";
inline constexpr char kNotifyMouseEnter[] = "msenter";
inline constexpr char kNotifyMouseLeave[] = "msleave";
inline constexpr char kNotifyMenu[] = "menu";
inline constexpr char kNotifyItemClick[] = "itemclick";
inline constexpr char kNotifyItemActivate[] = "itemactivate";
inline constexpr char kNotifyReturn[] = "return";

using NotifyHandler =
    std::function<void(QObject* sender, const QString& type, qintptr wParam, qintptr lParam)>;

// Calls handler for every notification of control until the control is destroyed.
// False when control has no Notify signal (a standard Qt widget).
bool ConnectNotify(QObject* control, NotifyHandler handler);

}  // namespace vestra::ui
