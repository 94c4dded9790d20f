#include <iostream>
#include <optional>
#include <string>

#include "cli/CommandTable.h"
#include "cli/MouseSession.h"
#include "cli/NumberArgument.h"
#include "device/model/MouseDpi.h"

namespace vestra::cli {
namespace {

constexpr const char* kUsage =
    "usage: vestractl [--device SEL] [--json] sensor-height get | set N\n"
    "  N: the sensor height 0-2";

void Print(const CliContext& context, const MouseSession& session) {
    const int index = session.mouse->SensorHeight();
    if (context.options.json) {
        Json::Value root(Json::objectValue);
        root["device"] = DeviceJson(session.selected);
        root["sensorHeight"] = index;
        context.PrintJson(root);
    } else {
        std::cout << "sensor height " << index << '\n';
    }
}

}  // namespace

int RunSensorHeight(CliContext& context) {
    const std::vector<std::string>& args = context.args;
    const std::string operation = args.empty() ? "" : args[0];
    if (!(operation == "get" && args.size() == 1) && !(operation == "set" && args.size() == 2)) {
        std::cerr << kUsage << '\n';
        return 2;
    }
    std::optional<int> index;
    if (operation == "set" && !(index = ParseNumber(args[1], 0, kMouseSensorHeightItems - 1))) {
        context.PrintError("the sensor height must be 0-2");
        return 2;
    }
    int exitCode = 0;
    std::unique_ptr<MouseSession> session = OpenMouse(context, "sensor-height", exitCode);
    if (!session) return exitCode;
    if (index) {
        const int result = session->mouse->SetSensorHeight(*index);
        if (!ReportWrite(context, "the sensor height", result, hid::DeviceKind::Mouse)) return 1;
    }
    Print(context, *session);
    return 0;
}

}  // namespace vestra::cli
