#include <array>
#include <iostream>
#include <optional>
#include <string>

#include "cli/CommandTable.h"
#include "cli/KeyboardSession.h"
#include "cli/MacroWrite.h"
#include "cli/MouseSession.h"
#include "device/model/KeyFunctionText.h"
#include "device/model/KeyNames.h"
#include "device/model/MouseKeyNames.h"
#include "profile/MacroLibrary.h"

namespace vestra::cli {
namespace {

using protocol::KeyCode;

constexpr const char* kUsage =
    "usage: vestractl [--device SEL] [--json] keymap get [KEY] | set KEY FUNCTION | reset KEY\n"
    "  KEY: a key position number or a key name (A, F1, Esc, LCtrl, KP5, ...); on the mouse\n"
    "       left, right, middle, forward, back, dpi-up, dpi-down, dpi-cycle, gm, m8, fire\n"
    "  FUNCTION: default, key:B, key:LCtrl+C, mouse:left, wheel:up:3, swing:1:3, dpi:2,\n"
    "            fire:INTERVAL:COUNT, media:volume-up, system:1, macro:N[:mode=M|:repeat=R],\n"
    "            gun:N, or three hex bytes such as 20,00,05";

KeyCode CodeOf(const KeyAssignment& key) {
    return {key.code[0], key.code[1], key.code[2]};
}

bool IsMacroCode(KeyCode code) {
    return code.type == kMacroPlayType || code.type == kMacroRepeatType;
}

struct DeviceTable {
    std::array<uint8_t, protocol::kMaxBlockSize> bytes{};
    size_t keyCount = 0;
};

// The key table as the device holds it now, to show what its keys really do.
std::optional<DeviceTable> ReadDeviceTable(protocol::DeviceChannel& channel, size_t keyCount) {
    DeviceTable table;
    table.keyCount = keyCount;
    channel.BeginConfig();
    const int result = channel.ReadKeyMap(table.bytes);
    channel.EndConfig();
    if (result != protocol::RESULT_OK) return std::nullopt;
    return table;
}

// The keyboard and the mouse name their keys and place them in their key tables differently;
// showing and changing a key is the same on both.
CHalvorinKeyboardDevice& Device(const KeyboardSession& session) {
    return *session.keyboard;
}
CHalvorinMouseDevice& Device(const MouseSession& session) {
    return *session.mouse;
}

std::optional<uint8_t> SlotOf(const KeyboardSession& session, size_t position) {
    const uint8_t slot = session.keyboard->KeyMap().slotOf[position];
    return slot == kNoSlot ? std::nullopt : std::optional<uint8_t>(slot);
}
std::optional<uint8_t> SlotOf(const MouseSession& session, size_t position) {
    if (position >= kMouseKeyCount) return std::nullopt;
    const uint8_t slot = session.mouse->SlotMap()[position];
    return slot == kMouseNoSlot ? std::nullopt : std::optional<uint8_t>(slot);
}

std::string NameOf(const KeyboardSession& session, size_t position) {
    return PositionName(session.keyboard->KeyList(), position);
}
std::string NameOf(const MouseSession&, size_t position) {
    return std::string(MouseKeyName(position));
}

std::optional<size_t> FindKey(const KeyboardSession& session, std::string_view word) {
    return FindPosition(session.keyboard->KeyList(), word);
}
std::optional<size_t> FindKey(const MouseSession& session, std::string_view word) {
    const std::optional<size_t> key = FindMouseKey(word);
    if (key && *key >= session.mouse->KeyList().size()) return std::nullopt;
    return key;
}

std::string KeyHint(const KeyboardSession& session) {
    return "give a position number below " + std::to_string(session.keyboard->KeyList().size()) +
           " or a key name such as A, F1, Esc or LCtrl";
}
std::string KeyHint(const MouseSession&) {
    return "give left, right, middle, forward, back, dpi-up, dpi-down, dpi-cycle, gm, m8, fire "
           "or their number 0-10";
}

template <typename Session>
Json::Value KeyJson(const Session& session, const DeviceTable& table, size_t position) {
    const KeyAssignmentPair& key = Device(session).KeyList()[position];
    const std::optional<uint8_t> slot = SlotOf(session, position);
    Json::Value json(Json::objectValue);
    json["position"] = static_cast<Json::UInt>(position);
    json["name"] = NameOf(session, position);
    json["function"] = KeyFunctionText(CodeOf(key.current));
    json["default"] = KeyFunctionText(CodeOf(key.defaults));
    json["isDefault"] = CodeOf(key.current) == CodeOf(key.defaults);
    if (!slot) {
        json["slot"] = Json::nullValue;
        json["device"] = Json::nullValue;
    } else {
        json["slot"] = *slot;
        json["device"] = KeyFunctionText(protocol::KeyCodeAt(table.bytes, *slot));
    }
    return json;
}

void PrintKey(const Json::Value& key, const char* kind) {
    std::string name = key["name"].asString();
    if (name.empty()) name = "-";
    std::printf("%4u  %-14s %-24s", key["position"].asUInt(), name.c_str(),
                key["function"].asCString());
    if (key["slot"].isNull()) {
        std::printf("  (no such key on this %s)\n", kind);
        return;
    }
    std::printf("  slot %3u", key["slot"].asUInt());
    if (key["device"].asString() != key["function"].asString() && !key["isDefault"].asBool()) {
        std::printf("  %s has %s", kind, key["device"].asCString());
    }
    std::printf("\n");
}

template <typename Session>
int Get(const CliContext& context, Session& session, std::optional<size_t> only) {
    const char* kind = KindWord(session.selected.kind);
    const std::optional<DeviceTable> table =
        ReadDeviceTable(Device(session).Channel(), Device(session).Info().KeyCount());
    if (!table) {
        context.PrintError(std::string("cannot read the ") + kind + "'s key table");
        return 1;
    }
    Json::Value keys(Json::arrayValue);
    const size_t count = Device(session).KeyList().size();
    for (size_t position = 0; position < count; ++position) {
        if (only && position != *only) continue;
        // The whole list shows the keys this device has.
        if (!only && !SlotOf(session, position)) continue;
        keys.append(KeyJson(session, *table, position));
    }
    if (context.options.json) {
        Json::Value root(Json::objectValue);
        root["device"] = DeviceJson(session.selected);
        root["keys"] = keys;
        context.PrintJson(root);
        return 0;
    }
    for (const Json::Value& key : keys) PrintKey(key, kind);
    std::fflush(stdout);
    return 0;
}

// The profile is the source of truth: the key is changed there and saved, then the device
// gets the whole key map (and the macros, when macro keys are involved).
template <typename Session>
int Set(const CliContext& context, Session& session, size_t position,
        std::string_view functionText) {
    auto& device = Device(session);
    const char* kind = KindWord(session.selected.kind);
    std::vector<KeyAssignmentPair> keys = device.KeyList();
    KeyAssignmentPair& key = keys[position];
    const KeyFunctionParse parsed = ParseKeyFunction(functionText, CodeOf(key.defaults));
    if (!parsed.code) {
        context.PrintError(parsed.error);
        return 2;
    }
    const KeyCode code = *parsed.code;
    if (IsMacroCode(code)) {
        MacroLibrary library(device.DataFolder());
        library.Load();
        if (code.value1 >= library.Count()) {
            context.PrintError("there is no macro " + std::to_string(code.value1) + " (the " +
                               kind + " has " + std::to_string(library.Count()) +
                               "; `vestractl macro list` shows them)");
            return 1;
        }
    }
    const bool macrosInvolved = IsMacroCode(code) || IsMacroCode(CodeOf(key.current));
    key.current.code[0] = code.type;
    key.current.code[1] = code.value1;
    key.current.code[2] = code.value2;
    device.SetKeyList(keys);
    device.SaveProfile();

    const std::string name = NameOf(session, position);
    std::cout << "key " << position << (name.empty() ? "" : " (" + name + ")") << ": "
              << KeyFunctionText(code) << '\n';
    if (!SlotOf(session, position)) {
        std::cout << "saved in the profile; this " << kind << " has no such key\n";
    }
    if (macrosInvolved && !WriteUsedMacros(context, device)) return 1;
    return ReportWrite(context, "the key map", device.WriteCurrentKeyMap(), session.selected.kind)
               ? 0
               : 1;
}

template <typename Session>
int Run(const CliContext& context, Session& session) {
    const std::vector<std::string>& args = context.args;
    std::optional<size_t> position;
    if (args.size() >= 2) {
        position = FindKey(session, args[1]);
        if (!position) {
            context.PrintError("unknown key '" + args[1] + "': " + KeyHint(session));
            return 2;
        }
    }
    if (args[0] == "get") return Get(context, session, position);
    if (args[0] == "set") return Set(context, session, *position, args[2]);
    return Set(context, session, *position, "default");
}

}  // namespace

int RunKeymap(CliContext& context) {
    const std::vector<std::string>& args = context.args;
    const std::string operation = args.empty() ? "" : args[0];
    const bool valid = (operation == "get" && args.size() <= 2) ||
                       (operation == "set" && args.size() == 3) ||
                       (operation == "reset" && args.size() == 2);
    if (!valid) {
        std::cerr << kUsage << '\n';
        return 2;
    }
    int exitCode = 0;
    const std::optional<SelectedDevice> selected = SelectDeviceOf(
        context, "keymap", {hid::DeviceKind::Keyboard, hid::DeviceKind::Mouse}, exitCode);
    if (!selected) return exitCode;
    if (selected->kind == hid::DeviceKind::Mouse) {
        std::unique_ptr<MouseSession> session = OpenMouse(context, *selected, exitCode);
        return session ? Run(context, *session) : exitCode;
    }
    std::unique_ptr<KeyboardSession> session = OpenKeyboard(context, *selected, exitCode);
    return session ? Run(context, *session) : exitCode;
}

}  // namespace vestra::cli
