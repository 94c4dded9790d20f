#include <iostream>

#include "cli/CommandTable.h"
#include "cli/DeviceSelection.h"
#include "cli/PowerFields.h"
#include "cli/RecordFields.h"
#include "device/protocol/DeviceChannel.h"
#include "device/protocol/DeviceInfo.h"
#include "device/protocol/PowerStatus.h"

namespace vestra::cli {
namespace {

using hid::DeviceKind;
using namespace vestra::protocol;

// The headset has no information block; keyboard and headset report their power.
bool HasInfoBlock(DeviceKind kind) {
    return kind != DeviceKind::Headset;
}
bool HasPowerStatus(DeviceKind kind) {
    return kind == DeviceKind::Keyboard || kind == DeviceKind::Headset;
}

RecordFields InfoFields(const DeviceInfo& info, DeviceKind kind) {
    RecordFields fields;
    fields.Add("keyCount", "key count", info.KeyCount());
    fields.Add("macroCapacityBytes", "macro memory",
               static_cast<Json::UInt>(info.MacroCapacityBytes()),
               std::to_string(info.MacroCapacityBytes()) + " bytes");
    if (kind == DeviceKind::Mouse) {
        fields.Add("sensorCode", "sensor code", info.SensorCode());
        fields.Add("dpiStep", "DPI step", info.DpiStep());
        fields.Add("minDpi", "minimum DPI", info.MinDpi());
        fields.Add("dpiSliderMax", "DPI slider maximum", info.MaxDpi());
    }
    fields.Add("raw", "raw", HexText(info.Bytes()));
    return fields;
}

}  // namespace

int RunInfo(CliContext& context) {
    if (!context.args.empty()) {
        context.PrintError("info takes no arguments");
        return 2;
    }
    int exitCode = 0;
    std::optional<SelectedDevice> device = SelectDevice(context, exitCode);
    if (!device) return exitCode;
    DeviceChannel channel;
    if (!OpenChannel(context, *device, channel)) return 1;

    exitCode = 0;
    Json::Value root(Json::objectValue);
    root["device"] = DeviceJson(*device);
    if (!context.options.json) {
        std::cout << DeviceTitle(*device) << ", slot " << device->slot << ": "
                  << device->entry.devicePath << '\n';
    }

    if (HasInfoBlock(device->kind)) {
        DeviceInfo info{};
        // Read inside a configuration bracket, as the device objects do; the bracket's own
        // results are not what decides.
        channel.BeginConfig();
        int result = channel.ReadInfo(info);
        channel.EndConfig();
        if (result == RESULT_OK) {
            RecordFields fields = InfoFields(info, device->kind);
            root["info"] = fields.ToJson();
            if (!context.options.json) fields.Print(std::cout, "Information block");
        } else {
            context.PrintError(std::string("cannot read the information block: ") +
                               ResultText(result));
            exitCode = 1;
        }
    }

    if (HasPowerStatus(device->kind)) {
        PowerStatus power{};
        int result = channel.ReadStatus(power.Bytes(), 0);
        if (result == RESULT_OK) {
            power.MarkLink(device->receiver ? LinkKind::Receiver : LinkKind::Cable);
            RecordFields fields = PowerFields(power);
            root["power"] = fields.ToJson();
            if (!context.options.json) fields.Print(std::cout, "Power status");
        } else {
            context.PrintError(std::string("cannot read the power status: ") + ResultText(result));
            exitCode = 1;
        }
    }

    if (context.options.json) context.PrintJson(root);
    return exitCode;
}

}  // namespace vestra::cli
