#include "app/SettingsRouting.h"

#include <QAbstractSlider>
#include <QLineEdit>
#include <QWidget>
#include <optional>
#include <string>

#include "device/model/CHalvorinKeyboardDevice.h"
#include "device/model/CHalvorinMouseDevice.h"
#include "device/model/IndexedName.h"
#include "device/model/MouseDpi.h"
#include "profile/CKeyboardProfiledata.h"
#include "ui/Notification.h"

namespace vestra::app {
namespace {

struct Indexed {
    std::string prefix;
    int index = -1;
};

Indexed Split(const QString& name) {
    std::optional<IndexedName> split = SplitIndexedName(name.toStdString());
    if (!split) return {};
    return {split->prefix, split->index};
}

bool RouteMouse(CHalvorinMouseDevice& mouse, const ui::Notification& n, const QString& name) {
    const Indexed indexed = Split(name);
    const bool checked = n.wParam != 0;
    if (n.type == ui::kNotifySelectChanged) {
        if (indexed.prefix == "DPI_enable_check_") {
            mouse.SetStageEnabled(indexed.index, checked);
        } else if (indexed.prefix == "DPI_select_check_" && checked) {
            mouse.SelectStage(indexed.index);
        } else if (indexed.prefix == "polling_rate_option_" && checked) {
            mouse.SetPollingIndex(indexed.index);
        } else if (name == "pointer_precision_check" || name == "scrolls_page_check") {
            MouseSystemSettings pointer = mouse.PointerSettings();
            (name == "pointer_precision_check" ? pointer.pointerPrecision : pointer.scrollPage) =
                checked;
            mouse.SetPointerSettings(pointer);
        } else {
            return false;
        }
    } else if (n.type == ui::kNotifyValueChanged) {
        const auto value = static_cast<uint16_t>(n.wParam);
        if (indexed.prefix == "DPI_slider_") {
            const std::string text = std::to_string(SliderToDpi(static_cast<int>(n.wParam)));
            mouse.SetStageDpi(indexed.index, ParseStageEdit(text, mouse.Scale()));
        } else if (name == "pointer_speed_slider" || name == "scroll_speed_slider" ||
                   name == "double_click_slider") {
            MouseSystemSettings pointer = mouse.PointerSettings();
            (name == "pointer_speed_slider"  ? pointer.mouseSpeed
             : name == "scroll_speed_slider" ? pointer.wheelScrollLines
                                             : pointer.doubleClickTime) = value;
            mouse.SetPointerSettings(pointer);
        } else {
            return false;
        }
    } else if (n.type == ui::kNotifyKillFocus) {
        auto* edit = qobject_cast<QLineEdit*>(n.sender);
        if (!edit || (indexed.prefix != "DPI_edit_" && indexed.prefix != "kavro_DPI_edit_"))
            return false;
        mouse.SetStageDpi(indexed.index, ParseStageEdit(edit->text().toStdString(), mouse.Scale()));
    } else if (n.type == ui::kNotifyItemSelect && name == "sencer_height_comboselect") {
        mouse.SetSensorHeight(static_cast<int>(n.wParam));
    } else {
        return false;
    }
    // Refused values (a locked stage, a value out of range) show as they are.
    mouse.RefreshPanels();
    return true;
}

bool RouteKeyboard(CHalvorinKeyboardDevice& keyboard, const ui::Notification& n,
                   const QString& name) {
    KeyboardSystemSettings system = keyboard.SystemSettings();
    const Indexed indexed = Split(name);
    const bool checked = n.wParam != 0;
    if (n.type == ui::kNotifySelectChanged) {
        if (name == "winlockflag_option") {
            system.winFlag = checked;
        } else if (name == "wflag_option") {
            system.wFlag = checked;
        } else if (name == "6flag_option") {
            system.key6Flag = checked;
        } else if (indexed.prefix == "repeat_delay_check_" && checked) {
            system.repeatDelay = static_cast<uint16_t>(indexed.index);
        } else {
            return false;
        }
    } else if (n.type == ui::kNotifyValueChanged && name == "repeat_rate_slider") {
        system.repeat = static_cast<uint16_t>(n.wParam);
    } else if (n.type == "click" && name == "reset_repeat_btn") {
        // Back to the factory profile's repeat rate and delay.
        CKeyboardProfiledata factory;
        factory.SetDefaultPath(keyboard.DefaultProfilePath());
        factory.LoadEntry(keyboard.DefaultProfilePath());
        const KeyboardSystemSettings defaults = factory.GetSystemStages();
        system.repeat = defaults.repeat;
        system.repeatDelay = defaults.repeatDelay;
    } else {
        return false;
    }
    keyboard.SetSystemSettings(system);
    keyboard.SaveProfile();
    keyboard.WriteSettings();
    keyboard.RefreshPanels();
    return true;
}

}  // namespace

bool RouteDeviceSetting(CHalvorinUSBDevice& device, const ui::Notification& notification) {
    const QString name = notification.sender ? notification.sender->objectName() : QString();
    if (name.isEmpty()) return false;
    if (auto* mouse = dynamic_cast<CHalvorinMouseDevice*>(&device))
        return RouteMouse(*mouse, notification, name);
    if (auto* keyboard = dynamic_cast<CHalvorinKeyboardDevice*>(&device))
        return RouteKeyboard(*keyboard, notification, name);
    return false;
}

}  // namespace vestra::app
