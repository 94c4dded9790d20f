#include <charconv>
#include <iostream>
#include <optional>
#include <string>

#include "cli/CommandTable.h"
#include "cli/KeyboardSession.h"
#include "cli/MacroWrite.h"
#include "device/model/KeyNames.h"
#include "profile/MacroLibrary.h"
#include "profile/ProfileFolders.h"

namespace vestra::cli {
namespace {

constexpr const char* kUsage =
    "usage: vestractl [--device keyboard|mouse] [--json] macro list | add NAME | delete N "
    "[--force]\n"
    "       | rename N NAME | show N | import FILE | export N FILE";

std::string Reason(MacroOutcome outcome) {
    switch (outcome) {
        case MacroOutcome::Done:
            return "done";
        case MacroOutcome::NoSuchMacro:
            return "there is no macro with that number";
        case MacroOutcome::NameTaken:
            return "another macro already has that name";
        case MacroOutcome::NameBlank:
            return "a macro name cannot be blank";
        case MacroOutcome::TooManyMacros:
            return "a device holds at most " + std::to_string(MacroLibrary::kMaxMacros) + " macros";
        case MacroOutcome::NotAMacroFile:
            return "the file is not a macro file (not JSON, or without an \"Events\" array)";
        case MacroOutcome::MacroUnreadable:
            return "the macro file is missing or does not parse";
        case MacroOutcome::WriteFailed:
            return "a file could not be written";
    }
    return "unknown failure";
}

// A macro number; -1 when the word is none.
int Index(const std::string& word) {
    int value = 0;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (word.empty() || error != std::errc() || end != word.data() + word.size() || value < 0) {
        return -1;
    }
    return value;
}

// Macros belong to the keyboard and the mouse; the keyboard's unless --device names the mouse.
hid::DeviceKind MacroKind(const CliContext& context) {
    return context.options.device == "mouse" ? hid::DeviceKind::Mouse : hid::DeviceKind::Keyboard;
}

std::string EventText(const MacroEvent& event) {
    const bool down = event.action == MacroEvent::Action::Down;
    std::string what;
    switch (event.type) {
        case 1: {
            static const char* kButtons[] = {"left", "right", "middle", "back", "forward"};
            what = "mouse button " + std::to_string(event.button);
            for (int bit = 0; bit < 5; ++bit) {
                if (event.button == 1 << bit) what = std::string("mouse ") + kButtons[bit];
            }
            what += down ? " down" : " up";
            break;
        }
        case 4:
            what = "move " + std::string(down ? "left " : "right ") + std::to_string(event.button);
            break;
        case 5:
            what = "move " + std::string(down ? "up " : "down ") + std::to_string(event.button);
            break;
        case 9:
        case 10: {
            const std::string_view name =
                event.type == 9 ? ModifierName(event.button) : UsageName(event.button);
            what = "key " + (name.empty() ? std::to_string(event.button) : std::string(name)) +
                   (down ? " down" : " up");
            break;
        }
        default:
            what = "type " + std::to_string(event.type) + " button " +
                   std::to_string(event.button) + (down ? " down" : " up");
    }
    return what + ", then " + std::to_string(event.delayMs) + " ms";
}

int List(const CliContext& context, const MacroLibrary& library) {
    const std::vector<std::string> names = library.Names();
    if (context.options.json) {
        Json::Value root(Json::objectValue);
        root["folder"] = library.DataFolder().string();
        Json::Value& macros = root["macros"] = Json::Value(Json::arrayValue);
        for (size_t i = 0; i < names.size(); ++i) {
            Json::Value macro(Json::objectValue);
            macro["index"] = static_cast<int>(i);
            macro["name"] = names[i];
            macro["events"] =
                static_cast<Json::UInt>(library.LoadEvents(static_cast<int>(i)).size());
            macros.append(macro);
        }
        context.PrintJson(root);
        return 0;
    }
    if (names.empty()) std::cout << "no macros\n";
    for (size_t i = 0; i < names.size(); ++i) {
        std::cout << i << "  " << names[i] << "  ("
                  << library.LoadEvents(static_cast<int>(i)).size() << " events)\n";
    }
    return 0;
}

int Show(const CliContext& context, const MacroLibrary& library, int index) {
    const std::vector<std::string> names = library.Names();
    if (index >= static_cast<int>(names.size())) {
        context.PrintError(Reason(MacroOutcome::NoSuchMacro));
        return 1;
    }
    const std::vector<MacroEvent> events = library.LoadEvents(index);
    if (context.options.json) {
        Json::Value root(Json::objectValue);
        root["index"] = index;
        root["name"] = names[index];
        root["events"] = MacroEventsToJson(events);
        context.PrintJson(root);
        return 0;
    }
    std::cout << index << "  " << names[index] << '\n';
    for (const MacroEvent& event : events) std::cout << "  " << EventText(event) << '\n';
    return 0;
}

// The keyboard's keys lost a macro: its key map and macro memory follow the profile again.
void UpdateKeyboard(CliContext& context) {
    int exitCode = 0;
    std::unique_ptr<KeyboardSession> session = OpenKeyboard(context, "macro", exitCode);
    if (!session) {
        std::cout << "the keyboard was not updated; `vestractl profile apply` does it later\n";
        return;
    }
    CHalvorinKeyboardDevice& keyboard = *session->keyboard;
    if (WriteUsedMacros(context, keyboard)) {
        ReportWrite(context, "the key map", keyboard.WriteCurrentKeyMap());
    }
}

int Delete(CliContext& context, MacroLibrary& library, int index, bool force) {
    const bool inUse = library.SelectedProfileUsesMacro(index);
    if (inUse && !force) {
        context.PrintError("keys of the selected profile play macro " + std::to_string(index) +
                           "; they would get their default function. Repeat with --force to "
                           "delete it all the same");
        return 1;
    }
    const std::vector<std::string> names = library.Names();
    const MacroDeleteResult result = library.Delete(index);
    if (result.outcome != MacroOutcome::Done) {
        context.PrintError(Reason(result.outcome));
        return 1;
    }
    std::cout << "deleted macro " << index << " \"" << names[index] << "\"";
    if (result.profilesChanged > 0) {
        std::cout << "; key bindings renumbered in " << result.profilesChanged << " profile(s)";
    }
    std::cout << '\n';
    if (inUse && MacroKind(context) == hid::DeviceKind::Keyboard) UpdateKeyboard(context);
    return 0;
}

}  // namespace

int RunMacro(CliContext& context) {
    std::vector<std::string> words;
    bool force = false;
    for (const std::string& arg : context.args) {
        if (arg == "--force") {
            force = true;
        } else {
            words.push_back(arg);
        }
    }
    const std::string operation = words.empty() ? "" : words[0];
    const size_t count = words.size();
    const int number = count >= 2 ? Index(words[1]) : -1;

    MacroLibrary library(KindDataFolder(MacroKind(context)));
    library.Load();
    MacroOutcome outcome = MacroOutcome::Done;
    if (operation == "list" && count == 1) {
        return List(context, library);
    } else if (operation == "show" && count == 2 && number >= 0) {
        return Show(context, library, number);
    } else if (operation == "delete" && count == 2 && number >= 0) {
        return Delete(context, library, number, force);
    } else if (operation == "add" && count == 2) {
        outcome = library.Add();
        if (outcome == MacroOutcome::Done) {
            const int added = library.Count() - 1;
            outcome = library.Rename(added, words[1]);
            // A name that cannot be used takes the new macro away again.
            if (outcome != MacroOutcome::Done) library.Delete(added);
        }
    } else if (operation == "rename" && count == 3 && number >= 0) {
        outcome = library.Rename(number, words[2]);
    } else if (operation == "import" && count == 2) {
        outcome = library.Import(words[1]);
    } else if (operation == "export" && count == 3 && number >= 0) {
        outcome = library.Export(number, words[2]);
        if (outcome == MacroOutcome::Done) std::cout << "exported macro " << words[1] << '\n';
    } else {
        std::cerr << kUsage << '\n';
        return 2;
    }
    if (outcome != MacroOutcome::Done) {
        context.PrintError(Reason(outcome));
        return 1;
    }
    if (operation == "export") return 0;
    const int index = operation == "rename" ? number : library.Count() - 1;
    std::cout << (operation == "rename" ? "renamed" : "added") << " macro " << index << " \""
              << library.Names()[index] << "\"\n";
    return 0;
}

}  // namespace vestra::cli
