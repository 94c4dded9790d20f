#include <charconv>
#include <cstdio>
#include <iostream>
#include <optional>
#include <string>

#include "cli/CommandTable.h"
#include "cli/KeyboardSession.h"
#include "cli/RecordFields.h"

namespace vestra::cli {
namespace {

constexpr const char* kUsage =
    "usage: vestractl [--device SEL] [--json] light get\n"
    "       vestractl [--device SEL] light set [--mode N] [--brightness 0-4] [--speed 0-4]\n"
    "                 [--direction forward|backward] [--color RRGGBB] [--multicolor on|off]";

constexpr int kMaxLevel = 4;  // brightness and speed levels

std::optional<int> Level(const std::string& text, int high) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || value < 0 ||
        value > high) {
        return std::nullopt;
    }
    return value;
}

std::string ColourText(const LightInfoRecord& light) {
    char text[8];
    std::snprintf(text, sizeof text, "%02x%02x%02x", light.red, light.green, light.blue);
    return text;
}

RecordFields LightFields(const CHalvorinKeyboardDevice& keyboard, const LightInfoRecord& light) {
    const std::vector<std::string>& names = keyboard.Modes().Names();
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
    fields.Add("color", "colour", ColourText(light));
    return fields;
}

void Print(const CliContext& context, const KeyboardSession& session,
           const LightInfoRecord& light) {
    const RecordFields fields = LightFields(*session.keyboard, light);
    if (context.options.json) {
        Json::Value root(Json::objectValue);
        root["device"] = DeviceJson(session.selected);
        root["light"] = fields.ToJson();
        context.PrintJson(root);
    } else {
        fields.Print(std::cout, "Lighting of the " + DeviceTitle(session.selected));
    }
}

// Applies the options to light; false with a message for a bad one.
bool ApplyOptions(const CliContext& context, const CHalvorinKeyboardDevice& keyboard,
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
            const size_t modes = keyboard.Modes().Names().size();
            const int high = modes > 0 ? static_cast<int>(modes) - 1 : 255;
            if (!(number = Level(value, high))) {
                context.PrintError("--mode must be 0-" + std::to_string(high));
                return false;
            }
            light.selectItem = static_cast<uint8_t>(*number);
        } else if (option == "--brightness" || option == "--speed") {
            if (!(number = Level(value, kMaxLevel))) {
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
            std::string hex = value[0] == '#' ? value.substr(1) : value;
            unsigned rgb = 0;
            const auto [end, error] = std::from_chars(hex.data(), hex.data() + hex.size(), rgb, 16);
            if (hex.size() != 6 || error != std::errc() || end != hex.data() + hex.size()) {
                context.PrintError("--color takes six hexadecimal digits, RRGGBB");
                return false;
            }
            light.red = static_cast<uint8_t>(rgb >> 16);
            light.green = static_cast<uint8_t>(rgb >> 8);
            light.blue = static_cast<uint8_t>(rgb);
        } else {
            context.PrintError("unknown option " + option);
            return false;
        }
    }
    return true;
}

}  // namespace

int RunLight(CliContext& context) {
    const std::string operation = context.args.empty() ? "" : context.args[0];
    if (!(operation == "get" && context.args.size() == 1) && operation != "set") {
        std::cerr << kUsage << '\n';
        return 2;
    }
    if (const int pad = RunPadHeadsetLight(context); pad != kNotPadOrHeadset) return pad;
    int exitCode = 0;
    std::unique_ptr<KeyboardSession> session = OpenKeyboard(context, "light", exitCode);
    if (!session) return exitCode;
    CHalvorinKeyboardDevice& keyboard = *session->keyboard;

    if (operation == "get") {
        // What the keyboard shows now; the profile follows it, as when the window connects.
        const int result = keyboard.ReadSettingsFromDevice();
        if (result != protocol::RESULT_OK) {
            context.PrintError("cannot read the keyboard's settings: " +
                               std::string(protocol::ResultText(result)));
            return 1;
        }
        Print(context, *session, keyboard.LightInfo());
        return 0;
    }

    LightInfoRecord light = keyboard.LightInfo();
    if (!ApplyOptions(context, keyboard, light)) {
        std::cerr << kUsage << '\n';
        return 2;
    }
    keyboard.SetLightInfo(light);
    keyboard.SaveProfile();
    if (!ReportWrite(context, "the lighting", keyboard.WriteSettings(0, 0))) return 1;
    Print(context, *session, keyboard.LightInfo());
    return 0;
}

}  // namespace vestra::cli
