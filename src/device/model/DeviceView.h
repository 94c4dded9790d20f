// What a device object asks of its page: the Qt page implements it; a device works without one.
#pragma once

#include <span>

#include "device/protocol/LightFrame.h"
#include "device/protocol/PowerStatus.h"

namespace vestra {

// Pages of the "device_function_switch" and "device_key_function_switch" tab controls.
struct FunctionPages {
    static constexpr int kUnchanged = -1;
    int functionSwitch = 0;
    int keyFunctionSwitch = kUnchanged;
    bool operator==(const FunctionPages&) const = default;
};

// Calls may come from the device's worker threads (lighting, listeners) as well as from the
// thread that drives the device; the page moves them to its own thread. The device holds none
// of its locks during a call, so the page may call back into the device once it is there.
class DeviceView {
public:
    virtual ~DeviceView() = default;

    // Rebuild every panel from the device's current state (profile, light state, system
    // settings, mode and macro names).
    virtual void RefreshPanels() {}
    // The device asked to be read again: after delayMs, on the page's thread, call the device's
    // ReadSettingsFromDevice.
    virtual void ScheduleSettingsRead(int /*delayMs*/) {}
    virtual void ShowFunctionPages(FunctionPages /*pages*/) {}
    // One entry per light button, in light button order.
    virtual void ShowKeyColours(std::span<const protocol::KeyColour> /*colours*/) {}
    // The whole block goes to the power display; byte 4 is the parameter of message 0x0D01.
    virtual void ShowPowerStatus(const protocol::PowerStatus& /*status*/) {}
    // The key assignment panel shows the current function of this key (-1: none).
    virtual void ShowSelectedKey(int /*key*/) {}
};

}  // namespace vestra
