#include <iostream>

#include "cli/CommandTable.h"
#include "cli/DeviceSession.h"
#include "cli/PowerFields.h"
#include "device/protocol/DeviceChannel.h"

namespace vestra::cli {

int RunPower(CliContext& context) {
    if (!context.args.empty()) {
        context.PrintError("power takes no arguments");
        return 2;
    }
    int exitCode = 0;
    // The products with a battery; the pad is powered by its cable.
    const std::optional<SelectedDevice> device = SelectDeviceOf(
        context, "power",
        {hid::DeviceKind::Keyboard, hid::DeviceKind::Mouse, hid::DeviceKind::Headset}, exitCode);
    if (!device) return exitCode;
    protocol::DeviceChannel channel;
    if (!OpenChannel(context, *device, channel)) return 1;

    protocol::PowerStatus power{};
    const int result = channel.ReadStatus(power.Bytes(), 0);
    if (result != protocol::RESULT_OK) {
        context.PrintError(std::string("cannot read the power status: ") +
                           protocol::ResultText(result));
        return 1;
    }
    // The device's own byte 3 is replaced by the link the host reaches it over.
    power.MarkLink(device->receiver ? protocol::LinkKind::Receiver : protocol::LinkKind::Cable);
    const RecordFields fields = PowerFields(power);
    if (context.options.json) {
        Json::Value root(Json::objectValue);
        root["device"] = DeviceJson(*device);
        root["power"] = fields.ToJson();
        context.PrintJson(root);
    } else {
        fields.Print(std::cout, "Power status of the " + DeviceTitle(*device));
    }
    return 0;
}

}  // namespace vestra::cli
