#include <iostream>
#include <optional>
#include <string>

#include "cli/CommandTable.h"
#include "cli/KeyboardSession.h"
#include "cli/LightRecord.h"

namespace vestra::cli {
namespace {

constexpr const char* kUsage =
    "usage: vestractl [--device SEL] [--json] light get\n"
    "       vestractl [--device SEL] light set [--mode N] [--brightness 0-4] [--speed 0-4]\n"
    "                 [--direction forward|backward] [--color RRGGBB] [--multicolor on|off]";

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
        PrintLight(context, session->selected, keyboard, keyboard.LightInfo());
        return 0;
    }

    LightInfoRecord light = keyboard.LightInfo();
    if (!ApplyLightOptions(context, keyboard, light)) {
        std::cerr << kUsage << '\n';
        return 2;
    }
    keyboard.SetLightInfo(light);
    keyboard.SaveProfile();
    if (!ReportWrite(context, "the lighting", keyboard.WriteSettings(0, 0))) return 1;
    PrintLight(context, session->selected, keyboard, keyboard.LightInfo());
    return 0;
}

}  // namespace vestra::cli
