// A notification from a control to its window: (type, sender, wParam, lParam).
#pragma once

#include <QString>
#include <QtGlobal>

class QWidget;

namespace vestra::ui {

// Types raised by the standard controls; custom controls raise theirs through their Notify
// signal (ui/controls/ControlNotifier.h).
inline constexpr char kNotifySelectChanged[] = "selectchanged";
inline constexpr char kNotifyItemSelect[] = "itemselect";
inline constexpr char kNotifyValueChanged[] = "valuechanged";
inline constexpr char kNotifyMoveValueChanged[] = "movevaluechanged";
inline constexpr char kNotifyTextChanged[] = "textchanged";
inline constexpr char kNotifyKillFocus[] = "killfocus";
inline constexpr char kNotifyTimer[] = "timer";

// wParam and lParam by type: "selectchanged" wParam = 1 when checked; "itemselect" wParam = the
// new index, lParam = the previous one (-1 for none); "valuechanged" and "movevaluechanged"
// wParam = the value; "itemclick" and "itemactivate" wParam = the row; "timer" wParam = the
// timer id. 0 otherwise.
struct Notification {
    QString type;
    QWidget* sender = nullptr;
    qintptr wParam = 0;
    qintptr lParam = 0;
};

}  // namespace vestra::ui
