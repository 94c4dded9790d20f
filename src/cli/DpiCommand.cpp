#include <cstdio>
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
    "usage: vestractl [--device SEL] [--json] dpi get [STAGE]\n"
    "       vestractl [--device SEL] dpi set STAGE VALUE | enable STAGE | disable STAGE |\n"
    "                 select STAGE | color STAGE RRGGBB\n"
    "  STAGE: 0-3; VALUE: DPI, rounded down to the sensor's steps and kept within its range";

// Stages the profile does not hold yet show as off with value 0, as the mouse gets them.
DpiStage StageAt(const CHalvorinMouseDevice& mouse, int stage) {
    const std::vector<DpiStage> stages = mouse.Stages();
    return static_cast<size_t>(stage) < stages.size() ? stages[stage] : DpiStage{};
}

Json::Value StageJson(const CHalvorinMouseDevice& mouse, int stage) {
    const DpiStage value = StageAt(mouse, stage);
    Json::Value json(Json::objectValue);
    json["stage"] = stage;
    json["dpi"] = StageEditText(value.DpiX(), mouse.Scale());
    json["value"] = value.DpiX();  // what the mouse holds: DPI, or a step index
    json["enabled"] = value.active != 0;
    json["selected"] = stage == mouse.SelectedStage();
    json["color"] = ColourHex(value.colorRed, value.colorGreen, value.colorBlue);
    return json;
}

int Print(const CliContext& context, const MouseSession& session, std::optional<int> only) {
    const CHalvorinMouseDevice& mouse = *session.mouse;
    Json::Value stages(Json::arrayValue);
    for (int stage = 0; stage < kMouseStageCount; ++stage) {
        if (!only || stage == *only) stages.append(StageJson(mouse, stage));
    }
    if (context.options.json) {
        Json::Value root(Json::objectValue);
        root["device"] = DeviceJson(session.selected);
        root["selectedStage"] = mouse.SelectedStage();
        root["stages"] = stages;
        context.PrintJson(root);
        return 0;
    }
    std::printf("stage  DPI    enabled  colour\n");
    for (const Json::Value& stage : stages) {
        std::printf("%s%-4d  %-6s %-8s %s\n", stage["selected"].asBool() ? "*" : " ",
                    stage["stage"].asInt(), stage["dpi"].asCString(),
                    stage["enabled"].asBool() ? "yes" : "no", stage["color"].asCString());
    }
    std::fflush(stdout);
    return 0;
}

// Digits only: the edit rules take an empty value as the minimum, but a typing slip such as
// "16OO" must not quietly become the minimum.
bool DpiWord(std::string_view text) {
    return text.find_first_not_of("0123456789") == std::string_view::npos;
}

int Edit(const CliContext& context, MouseSession& session, const std::string& operation,
         int stage) {
    CHalvorinMouseDevice& mouse = *session.mouse;
    const std::vector<std::string>& args = context.args;
    int result = protocol::RESULT_OK;
    if (operation == "set") {
        if (!DpiWord(args[2])) {
            context.PrintError("the DPI value must be a number");
            return 2;
        }
        result = mouse.SetStageDpi(stage, ParseStageEdit(args[2], mouse.Scale()));
    } else if (operation == "enable" || operation == "disable") {
        result = mouse.SetStageEnabled(stage, operation == "enable");
        if (result == CHalvorinMouseDevice::kStageLocked) {
            context.PrintError("stage " + std::to_string(stage) +
                               " is the selected stage or the last one enabled; it stays on");
            return 1;
        }
    } else if (operation == "select") {
        result = mouse.SelectStage(stage);
        if (result == CHalvorinMouseDevice::kStageLocked) {
            context.PrintError("stage " + std::to_string(stage) +
                               " is switched off; enable it before selecting it");
            return 1;
        }
    } else {
        const std::optional<std::array<uint8_t, 3>> colour = ParseColour(args[2]);
        if (!colour) {
            context.PrintError("the colour takes six hexadecimal digits, RRGGBB");
            return 2;
        }
        result = mouse.SetStageColour(stage, (*colour)[0], (*colour)[1], (*colour)[2]);
    }
    if (!ReportWrite(context, "the DPI stages", result, hid::DeviceKind::Mouse)) return 1;
    return Print(context, session, stage);
}

}  // namespace

int RunDpi(CliContext& context) {
    const std::vector<std::string>& args = context.args;
    const std::string operation = args.empty() ? "" : args[0];
    const bool oneStage = operation == "enable" || operation == "disable" || operation == "select";
    const bool valid = (operation == "get" && args.size() <= 2) || (oneStage && args.size() == 2) ||
                       ((operation == "set" || operation == "color") && args.size() == 3);
    if (!valid) {
        std::cerr << kUsage << '\n';
        return 2;
    }
    std::optional<int> stage;
    if (args.size() >= 2 && !(stage = ParseNumber(args[1], 0, kMouseStageCount - 1))) {
        context.PrintError("the stage must be 0-3");
        return 2;
    }
    int exitCode = 0;
    std::unique_ptr<MouseSession> session = OpenMouse(context, "dpi", exitCode);
    if (!session) return exitCode;
    if (operation == "get") return Print(context, *session, stage);
    return Edit(context, *session, operation, *stage);
}

}  // namespace vestra::cli
