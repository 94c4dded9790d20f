#include "cli/ProfileApply.h"

#include <charconv>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "cli/KeyboardSession.h"
#include "cli/MacroWrite.h"
#include "profile/ProfileList.h"

namespace vestra::cli {
namespace {

constexpr const char* kUsage = "usage: vestractl [--device SEL] profile [--kind keyboard] apply N";

}  // namespace

bool IsProfileApply(const CliContext& context) {
    const std::vector<std::string>& args = context.args;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--kind") {
            ++i;
        } else if (args[i].rfind("--", 0) != 0) {
            return args[i] == "apply";
        }
    }
    return false;
}

int RunProfileApply(CliContext& context) {
    std::vector<std::string> words;
    const std::vector<std::string>& args = context.args;
    for (size_t i = 0; i < args.size(); ++i) {
        std::string kind;
        if (args[i] == "--kind" && i + 1 < args.size()) {
            kind = args[++i];
        } else if (args[i].rfind("--kind=", 0) == 0) {
            kind = args[i].substr(7);
        } else {
            words.push_back(args[i]);
            continue;
        }
        // The profile goes to a connected device; --kind names which one.
        if (!context.options.device.empty() && context.options.device != kind) {
            context.PrintError("--kind " + kind + " and --device " + context.options.device +
                               " disagree");
            return 2;
        }
        context.options.device = kind;
    }
    int index = -1;
    if (words.size() == 2) {
        const std::string& word = words[1];
        std::from_chars(word.data(), word.data() + word.size(), index);
    }
    if (index < 0) {
        std::cerr << kUsage << '\n';
        return 2;
    }

    int exitCode = 0;
    std::unique_ptr<KeyboardSession> session = OpenKeyboard(context, "profile apply", exitCode);
    if (!session) return exitCode;
    CHalvorinKeyboardDevice& keyboard = *session->keyboard;

    ProfileList list(keyboard.DataFolder(), keyboard.DefaultProfilePath());
    if (list.SelectProfile(index) != ProfileOutcome::Done) {
        context.PrintError("there is no profile " + std::to_string(index) +
                           "; `vestractl profile --kind keyboard list` shows them");
        return 1;
    }
    keyboard.LoadProfile();
    if (keyboard.ValidateMacroKeys()) {
        keyboard.SaveProfile();
        std::cout << "keys bound to macros that no longer exist got their default function\n";
    }
    if (!ReportWrite(context, "the settings", keyboard.WriteSettings(0, 0))) return 1;
    if (!WriteUsedMacros(context, keyboard)) return 1;
    if (!ReportWrite(context, "the key map", keyboard.WriteCurrentKeyMap())) return 1;

    const std::vector<ProfileEntry> entries = list.Entries();
    std::cout << "applied profile " << index << " \"" << entries[index].name
              << "\" to the keyboard: settings, " << keyboard.CollectUsedMacros().size()
              << " macro(s) and key map\n";
    return 0;
}

}  // namespace vestra::cli
