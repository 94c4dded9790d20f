#include "cli/LightRecord.h"

#include <array>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "cli/NumberArgument.h"
#include "cli/RecordFields.h"

namespace vestra::cli {
namespace {

constexpr int kMaxLevel = 4;  // brightness and speed levels

}  // namespace

bool ApplyLightOptions(const CliContext& context, const CHalvorinUSBDevice& device,
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
            // Without a mode table any mode code goes.
            const size_t modes = device.Modes().Names().size();
            const int high = modes > 0 ? static_cast<int>(modes) - 1 : 255;
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
        } else if (option == "--direction") {
            if (value != "forward" && value != "backward") {
                context.PrintError("--direction must be forward or backward");
                return false;
            }
            light.fx = value == "forward";
        } else if (option == "--multicolor") {
            if (value != "on" && value != "off") {
                context.PrintError("--multicolor must be on or off");
                return false;
            }
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
            context.PrintError("unknown option " + option);
            return false;
        }
    }
    return true;
}

void PrintLight(const CliContext& context, const SelectedDevice& selected,
                const CHalvorinUSBDevice& device, const LightInfoRecord& light) {
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

}  // namespace vestra::cli
