#include <charconv>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>

#include "cli/CommandTable.h"
#include "cli/ProfileApply.h"
#include "hid/DeviceKind.h"
#include "profile/ProfileFolders.h"
#include "profile/ProfileList.h"

namespace vestra::cli {
namespace {

constexpr std::string_view kUsage =
    "usage: vestractl profile --kind keyboard|mouse|pad|headset [--json] list | add | copy N |\n"
    "       rename N NAME | delete N | select N | export N FILE | import FILE | reset N";

std::optional<hid::DeviceKind> ParseKind(std::string_view word) {
    if (word == "keyboard") return hid::DeviceKind::Keyboard;
    if (word == "mouse") return hid::DeviceKind::Mouse;
    if (word == "pad") return hid::DeviceKind::MousePad;
    if (word == "headset") return hid::DeviceKind::Headset;
    return std::nullopt;
}

std::optional<int> ParseIndex(std::string_view word) {
    int value = 0;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (error != std::errc() || end != word.data() + word.size() || value < 0) return std::nullopt;
    return value;
}

// English for now; the window takes its texts from the language files.
std::string Reason(ProfileOutcome outcome) {
    switch (outcome) {
        case ProfileOutcome::Done:
            return "done";
        case ProfileOutcome::NoSuchProfile:
            return "there is no profile with that index";
        case ProfileOutcome::NameTaken:
            return "another profile already has that name";
        case ProfileOutcome::NameBlank:
            return "a profile name cannot be blank";
        case ProfileOutcome::TooManyProfiles:
            return "a device holds at most " + std::to_string(ProfileList::kMaxProfiles) +
                   " profiles";
        case ProfileOutcome::LastProfile:
            return "the only profile cannot be deleted";
        case ProfileOutcome::NotAProfileFile:
            return "the file is not a profile (not JSON, or without \"profilename\" and "
                   "\"profileUUID\")";
        case ProfileOutcome::ProfileUnreadable:
            return "the profile file is missing or does not parse";
        case ProfileOutcome::WriteFailed:
            return "a file could not be written";
    }
    return "unknown failure";
}

int PrintList(const CliContext& context, const std::string& kind, const ProfileList& list) {
    const std::vector<ProfileEntry> entries = list.Entries();
    const int selected = list.SelectedIndex();
    if (context.options.json) {
        Json::Value root(Json::objectValue);
        root["kind"] = kind;
        root["folder"] = list.DataFolder().string();
        root["selected"] = selected;
        Json::Value& profiles = root["profiles"] = Json::Value(Json::arrayValue);
        for (size_t i = 0; i < entries.size(); ++i) {
            Json::Value item(Json::objectValue);
            item["index"] = static_cast<int>(i);
            item["name"] = entries[i].name;
            item["uuid"] = entries[i].uuid;
            item["selected"] = static_cast<int>(i) == selected;
            profiles.append(item);
        }
        context.PrintJson(root);
        return 0;
    }
    for (size_t i = 0; i < entries.size(); ++i) {
        std::cout << (static_cast<int>(i) == selected ? "* " : "  ") << i << "  " << entries[i].name
                  << "  (" << entries[i].uuid << ")\n";
    }
    return 0;
}

struct ProfileArgs {
    std::optional<hid::DeviceKind> kind;
    std::string kindWord;            // as given: keyboard, mouse, pad, headset
    std::vector<std::string> words;  // the operation and its operands
};

// --kind and --json may come anywhere after "profile".
bool ParseArgs(CliContext& context, ProfileArgs& parsed) {
    const std::vector<std::string>& args = context.args;
    for (size_t i = 0; i < args.size(); ++i) {
        std::string_view kindWord;
        if (args[i] == "--kind" && i + 1 < args.size()) {
            kindWord = args[++i];
        } else if (args[i].rfind("--kind=", 0) == 0) {
            kindWord = std::string_view(args[i]).substr(7);
        } else if (args[i] == "--json") {
            context.options.json = true;
            continue;
        } else {
            parsed.words.push_back(args[i]);
            continue;
        }
        parsed.kind = ParseKind(kindWord);
        parsed.kindWord = kindWord;
        if (!parsed.kind) {
            context.PrintError("unknown kind " + std::string(kindWord));
            return false;
        }
    }
    if (!parsed.kind) {
        context.PrintError("--kind is required");
        return false;
    }
    return !parsed.words.empty();
}

}  // namespace

int RunProfile(CliContext& context) {
    if (IsProfileApply(context)) return RunProfileApply(context);
    ProfileArgs parsed;
    if (!ParseArgs(context, parsed)) {
        std::cerr << kUsage << '\n';
        return 2;
    }
    const hid::DeviceKind kind = *parsed.kind;
    ProfileList list(KindDataFolder(kind), KindDefaultProfile(kind));
    // What the window does when it sets a device up: the first profile is made on first use.
    if (const ProfileOutcome outcome = list.EnsureProfileList(); outcome != ProfileOutcome::Done) {
        context.PrintError(Reason(outcome));
        return 1;
    }

    const std::vector<std::string>& words = parsed.words;
    const std::string& operation = words[0];
    const auto operand = [&](size_t position) -> std::optional<int> {
        return position < words.size() ? ParseIndex(words[position]) : std::nullopt;
    };
    const size_t count = words.size();

    // The verb to print and the index of the profile acted on (-1: the new last one).
    ProfileOutcome outcome;
    std::string verb;
    int target = -1;
    if (operation == "list" && count == 1) {
        return PrintList(context, parsed.kindWord, list);
    } else if (operation == "add" && count == 1) {
        outcome = list.AddProfile();
        verb = "added";
    } else if (operation == "copy" && count == 2 && operand(1)) {
        outcome = list.CopyProfile(*operand(1));
        verb = "added";
    } else if (operation == "import" && count == 2) {
        outcome = list.ImportProfile(words[1]);
        verb = "added";
    } else if (operation == "rename" && count == 3 && operand(1)) {
        target = *operand(1);
        outcome = list.RenameProfile(target, words[2]);
        verb = "renamed";
    } else if (operation == "delete" && count == 2 && operand(1)) {
        const std::vector<ProfileEntry> before = list.Entries();
        target = *operand(1);
        outcome = list.DeleteProfile(target);
        if (outcome == ProfileOutcome::Done) {
            std::cout << "deleted profile " << target << " \"" << before[target].name << "\"\n";
            return 0;
        }
    } else if (operation == "select" && count == 2 && operand(1)) {
        target = *operand(1);
        outcome = list.SelectProfile(target);
        verb = "selected";
    } else if (operation == "export" && count == 3 && operand(1)) {
        target = *operand(1);
        outcome = list.ExportProfile(target, words[2]);
        verb = "exported";
    } else if (operation == "reset" && count == 2 && operand(1)) {
        target = *operand(1);
        outcome = list.ResetProfile(target, kind);
        verb = "reset";
    } else {
        std::cerr << kUsage << '\n';
        return 2;
    }

    if (outcome != ProfileOutcome::Done) {
        context.PrintError(Reason(outcome));
        return 1;
    }
    const std::vector<ProfileEntry> entries = list.Entries();
    if (target < 0) target = static_cast<int>(entries.size()) - 1;
    std::cout << verb << " profile " << target << " \"" << entries[target].name << "\"\n";
    return 0;
}

}  // namespace vestra::cli
