// `polling` and `sensor-height`: one small mouse setting each, read or written the same way.
#include <iostream>
#include <optional>
#include <string>

#include "cli/CommandTable.h"
#include "cli/MouseSession.h"
#include "cli/NumberArgument.h"
#include "device/model/MouseDpi.h"

namespace vestra::cli {
namespace {

struct MouseValue {
    const char* command;
    const char* usage;
    const char* rangeError;
    const char* written;   // what ReportWrite names
    const char* jsonKey;
    const char* label;
    int maximum;
    int (*get)(const CHalvorinMouseDevice&);
    int (*set)(CHalvorinMouseDevice&, int);
};

const MouseValue kPolling = {
    "polling",
    "usage: vestractl [--device SEL] [--json] polling get | set N\n"
    "  N: the mouse's polling-rate option 0-4",
    "the polling-rate option must be 0-4",
    "the polling rate",
    "pollingIndex",
    "polling-rate option",
    kMousePollingOptions - 1,
    [](const CHalvorinMouseDevice& mouse) { return static_cast<int>(mouse.PollingIndex()); },
    [](CHalvorinMouseDevice& mouse, int value) { return mouse.SetPollingIndex(value); },
};

const MouseValue kSensorHeight = {
    "sensor-height",
    "usage: vestractl [--device SEL] [--json] sensor-height get | set N\n"
    "  N: the sensor height 0-2",
    "the sensor height must be 0-2",
    "the sensor height",
    "sensorHeight",
    "sensor height",
    kMouseSensorHeightItems - 1,
    [](const CHalvorinMouseDevice& mouse) { return static_cast<int>(mouse.SensorHeight()); },
    [](CHalvorinMouseDevice& mouse, int value) { return mouse.SetSensorHeight(value); },
};

void Print(const CliContext& context, const MouseSession& session, const MouseValue& value) {
    const int current = value.get(*session.mouse);
    if (context.options.json) {
        Json::Value root(Json::objectValue);
        root["device"] = DeviceJson(session.selected);
        root[value.jsonKey] = current;
        context.PrintJson(root);
    } else {
        std::cout << value.label << ' ' << current << '\n';
    }
}

int RunMouseValue(CliContext& context, const MouseValue& value) {
    const std::vector<std::string>& args = context.args;
    const std::string operation = args.empty() ? "" : args[0];
    if (!(operation == "get" && args.size() == 1) && !(operation == "set" && args.size() == 2)) {
        std::cerr << value.usage << '\n';
        return 2;
    }
    std::optional<int> requested;
    if (operation == "set" && !(requested = ParseNumber(args[1], 0, value.maximum))) {
        context.PrintError(value.rangeError);
        return 2;
    }
    int exitCode = 0;
    std::unique_ptr<MouseSession> session = OpenMouse(context, value.command, exitCode);
    if (!session) return exitCode;
    if (requested) {
        const int result = value.set(*session->mouse, *requested);
        if (!ReportWrite(context, value.written, result, hid::DeviceKind::Mouse)) return 1;
    }
    Print(context, *session, value);
    return 0;
}

}  // namespace

int RunPolling(CliContext& context) { return RunMouseValue(context, kPolling); }

int RunSensorHeight(CliContext& context) { return RunMouseValue(context, kSensorHeight); }

}  // namespace vestra::cli
