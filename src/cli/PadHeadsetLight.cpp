// `light` for the mouse pad and the headset: their lighting settings record, read and written
// through their device objects.
#include <iostream>
#include <memory>
#include <optional>
#include <string>

#include "cli/CommandTable.h"
#include "cli/DeviceSelection.h"
#include "cli/LightRecord.h"
#include "device/model/CHalvorinHS6533Device.h"
#include "device/model/CHalvorinMousePadDevice.h"

namespace vestra::cli {
namespace {

std::unique_ptr<CHalvorinUSBDevice> MakeDevice(hid::DeviceKind kind) {
    if (kind == hid::DeviceKind::MousePad) return std::make_unique<CHalvorinMousePadDevice>();
    return std::make_unique<CHalvorinHS6533Device>();
}

}  // namespace

int RunPadHeadsetLight(CliContext& context) {
    int exitCode = 0;
    const std::optional<SelectedDevice> selected = SelectDevice(context, exitCode);
    if (!selected) return exitCode;
    if (selected->kind != hid::DeviceKind::MousePad && selected->kind != hid::DeviceKind::Headset) {
        return kNotPadOrHeadset;
    }
    std::unique_ptr<CHalvorinUSBDevice> device = MakeDevice(selected->kind);
    device->SetIdentity(selected->entry);
    if (!OpenChannel(context, *selected, device->Channel())) return 1;
    device->LoadProfile();
    device->LoadDeviceConfig();

    // Both operations start from what the device shows now.
    const int read = device->ReadSettingsFromDevice();
    if (read != protocol::RESULT_OK) {
        context.PrintError("cannot read the " + DeviceTitle(*selected) +
                           "'s settings: " + protocol::ResultText(read));
        return 1;
    }
    if (context.args[0] == "set") {
        LightInfoRecord light = device->LightInfo();
        if (!ApplyLightOptions(context, *device, light)) return 2;
        device->SetLightInfo(light);
        device->SaveProfile();
        const int result = device->WriteSettings(0);
        if (result != protocol::RESULT_OK) {
            context.PrintError("the profile is saved, but the lighting could not be written: " +
                               std::string(protocol::ResultText(result)));
            return 1;
        }
    }
    PrintLight(context, *selected, *device, device->LightInfo());
    return 0;
}

}  // namespace vestra::cli
