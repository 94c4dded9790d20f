// `light` for the mouse pad and the headset: their lighting settings record, read and written
// through their device objects.
#include <algorithm>
#include <array>
#include <iostream>
#include <memory>
#include <optional>
#include <string>

#include "cli/CommandTable.h"
#include "cli/DeviceSelection.h"
#include "cli/NumberArgument.h"
#include "cli/RecordFields.h"
#include "device/model/CHalvorinHS6533Device.h"
#include "device/model/CHalvorinMousePadDevice.h"

namespace vestra::cli {
namespace {

constexpr int kMaxLevel = 4;

std::unique_ptr<CHalvorinUSBDevice> MakeDevice(hid::DeviceKind kind) {
    if (kind == hid::DeviceKind::MousePad) return std::make_unique<CHalvorinMousePadDevice>();
    return std::make_unique<CHalvorinHS6533Device>();
}

void Print(const CliContext& context, const SelectedDevice& selected,
           const CHalvorinUSBDevice& device) {
    const LightInfoRecord light = device.LightInfo();
    const std::vector<std::string>& names = device.Modes().Names();
    const std::string modeName = light.selectItem < names.size() ? names[light.selectItem] : "";
    RecordFields fields;
    fields.Add("mode", "mode", light.selectItem,
               std::to_string(light.selectItem) + (modeName.empty() ? "" : "  (" + modeName + ")"));
    fields.Add("modeName", "mode name", modeName, modeName.empty() ? "-" : modeName);
    fields.Add("brightness", "brightness", light.light);
    fields.Add("speed", "speed", light.speed);
    fields.Add("direction", "direction", light.fx ? "forward" : "backward");
    fields.Add("multicolor", "multi-colour", light.multiColor != 0,
               light.multiColor ? "on" : "off");
    fields.Add("color", "colour", ColourHex(light.red, light.green, light.blue));
    if (context.options.json) {
        Json::Value root(Json::objectValue);
        root["device"] = DeviceJson(selected);
        root["light"] = fields.ToJson();
        context.PrintJson(root);
    } else {
        fields.Print(std::cout, "Lighting of the " + DeviceTitle(selected));
    }
}

// Applies `light set`'s OPTION VALUE pairs; false with a message for a bad one.
bool ApplyOptions(const CliContext& context, const CHalvorinUSBDevice& device,
                  LightInfoRecord& light) {
    const std::vector<std::string>& args = context.args;
    if (args.size() < 3 || args.size() % 2 == 0) {
        context.PrintError("light set takes one or more OPTION VALUE pairs");
        return false;
    }
    for (size_t i = 1; i + 1 < args.size(); i += 2) {
        const std::string& option = args[i];
        const std::string& value = args[i + 1];
        std::optional<int> number;
        if (option == "--mode") {
            const int high = std::max(static_cast<int>(device.Modes().Names().size()) - 1, 0);
            if (!(number = ParseNumber(value, 0, high))) {
                context.PrintError("--mode must be 0-" + std::to_string(high));
                return false;
            }
            light.selectItem = static_cast<uint8_t>(*number);
        } else if (option == "--brightness" || option == "--speed") {
            if (!(number = ParseNumber(value, 0, kMaxLevel))) {
                context.PrintError(option + " must be 0-4");
                return false;
            }
            (option == "--speed" ? light.speed : light.light) = static_cast<uint8_t>(*number);
        } else if (option == "--direction" && (value == "forward" || value == "backward")) {
            light.fx = value == "forward";
        } else if (option == "--multicolor" && (value == "on" || value == "off")) {
            light.multiColor = value == "on";
        } else if (option == "--color" || option == "--colour") {
            const std::optional<std::array<uint8_t, 3>> rgb = ParseColour(value);
            if (!rgb) {
                context.PrintError("--color takes six hexadecimal digits, RRGGBB");
                return false;
            }
            light.red = (*rgb)[0];
            light.green = (*rgb)[1];
            light.blue = (*rgb)[2];
        } else {
            context.PrintError("bad option " + option + " " + value);
            return false;
        }
    }
    return true;
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
        if (!ApplyOptions(context, *device, light)) return 2;
        device->SetLightInfo(light);
        device->SaveProfile();
        const int result = device->WriteSettings(0);
        if (result != protocol::RESULT_OK) {
            context.PrintError("the profile is saved, but the lighting could not be written: " +
                               std::string(protocol::ResultText(result)));
            return 1;
        }
    }
    Print(context, *selected, *device);
    return 0;
}

}  // namespace vestra::cli
