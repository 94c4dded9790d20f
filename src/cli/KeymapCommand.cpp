#include <array>
#include <iostream>
#include <optional>
#include <string>

#include "cli/CommandTable.h"
#include "cli/KeyboardSession.h"
#include "cli/MacroWrite.h"
#include "device/model/KeyFunctionText.h"
#include "device/model/KeyNames.h"
#include "profile/MacroLibrary.h"

namespace vestra::cli {
namespace {

using protocol::KeyCode;

constexpr const char* kUsage =
    "usage: vestractl [--device SEL] [--json] keymap get [KEY] | set KEY FUNCTION | reset KEY\n"
    "  KEY: a key position number or a key name (A, F1, Esc, LCtrl, KP5, ...)\n"
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

// The key table as the keyboard holds it now, to show what its keys really do.
std::optional<DeviceTable> ReadDeviceTable(CHalvorinKeyboardDevice& keyboard) {
    DeviceTable table;
    table.keyCount = keyboard.Info().KeyCount();
    protocol::DeviceChannel& channel = keyboard.Channel();
    channel.BeginConfig();
    const int result = channel.ReadKeyMap(table.bytes);
    channel.EndConfig();
    if (result != protocol::RESULT_OK) return std::nullopt;
    return table;
}

Json::Value KeyJson(const KeyboardSession& session, const DeviceTable& table, size_t position) {
    const KeyAssignmentPair& key = session.keyboard->KeyList()[position];
    const uint8_t slot = session.keyboard->KeyMap().slotOf[position];
    Json::Value json(Json::objectValue);
    json["position"] = static_cast<Json::UInt>(position);
    json["name"] = PositionName(session.keyboard->KeyList(), position);
    json["function"] = KeyFunctionText(CodeOf(key.current));
    json["default"] = KeyFunctionText(CodeOf(key.defaults));
    json["isDefault"] = CodeOf(key.current) == CodeOf(key.defaults);
    if (slot == kNoSlot) {
        json["slot"] = Json::nullValue;
        json["device"] = Json::nullValue;
    } else {
        json["slot"] = slot;
        json["device"] = KeyFunctionText(protocol::KeyCodeAt(table.bytes, slot));
    }
    return json;
}

void PrintKey(const Json::Value& key) {
    std::string name = key["name"].asString();
    if (name.empty()) name = "-";
    std::printf("%4u  %-14s %-24s", key["position"].asUInt(), name.c_str(),
                key["function"].asCString());
    if (key["slot"].isNull()) {
        std::printf("  (no such key on this keyboard)\n");
        return;
    }
    std::printf("  slot %3u", key["slot"].asUInt());
    if (key["device"].asString() != key["function"].asString() && !key["isDefault"].asBool()) {
        std::printf("  keyboard has %s", key["device"].asCString());
    }
    std::printf("\n");
}

int Get(const CliContext& context, KeyboardSession& session, std::optional<size_t> only) {
    const std::optional<DeviceTable> table = ReadDeviceTable(*session.keyboard);
    if (!table) {
        context.PrintError("cannot read the keyboard's key table");
        return 1;
    }
    Json::Value keys(Json::arrayValue);
    const size_t count = session.keyboard->KeyList().size();
    for (size_t position = 0; position < count; ++position) {
        if (only && position != *only) continue;
        // The whole list shows the keys this keyboard has.
        if (!only && session.keyboard->KeyMap().slotOf[position] == kNoSlot) continue;
        keys.append(KeyJson(session, *table, position));
    }
    if (context.options.json) {
        Json::Value root(Json::objectValue);
        root["device"] = DeviceJson(session.selected);
        root["keys"] = keys;
        context.PrintJson(root);
        return 0;
    }
    for (const Json::Value& key : keys) PrintKey(key);
    std::fflush(stdout);
    return 0;
}

// The profile is the source of truth: the key is changed there and saved, then the keyboard
// gets the whole key map (and the macros, when macro keys are involved).
int Set(const CliContext& context, KeyboardSession& session, size_t position,
        std::string_view functionText) {
    CHalvorinKeyboardDevice& keyboard = *session.keyboard;
    std::vector<KeyAssignmentPair> keys = keyboard.KeyList();
    KeyAssignmentPair& key = keys[position];
    const KeyFunctionParse parsed = ParseKeyFunction(functionText, CodeOf(key.defaults));
    if (!parsed.code) {
        context.PrintError(parsed.error);
        return 2;
    }
    const KeyCode code = *parsed.code;
    if (IsMacroCode(code)) {
        MacroLibrary library(keyboard.DataFolder());
        library.Load();
        if (code.value1 >= library.Count()) {
            context.PrintError("there is no macro " + std::to_string(code.value1) +
                               " (the keyboard has " + std::to_string(library.Count()) +
                               "; `vestractl macro list` shows them)");
            return 1;
        }
    }
    const bool macrosInvolved = IsMacroCode(code) || IsMacroCode(CodeOf(key.current));
    key.current.code[0] = code.type;
    key.current.code[1] = code.value1;
    key.current.code[2] = code.value2;
    keyboard.SetKeyList(keys);
    keyboard.SaveProfile();

    const std::string name = PositionName(keys, position);
    std::cout << "key " << position << (name.empty() ? "" : " (" + name + ")") << ": "
              << KeyFunctionText(code) << '\n';
    if (keyboard.KeyMap().slotOf[position] == kNoSlot) {
        std::cout << "saved in the profile; this keyboard has no such key\n";
    }
    if (macrosInvolved && !WriteUsedMacros(context, keyboard)) return 1;
    return ReportWrite(context, "the key map", keyboard.WriteCurrentKeyMap()) ? 0 : 1;
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
    std::unique_ptr<KeyboardSession> session = OpenKeyboard(context, "keymap", exitCode);
    if (!session) return exitCode;

    std::optional<size_t> position;
    if (args.size() >= 2) {
        position = FindPosition(session->keyboard->KeyList(), args[1]);
        if (!position) {
            context.PrintError("unknown key '" + args[1] + "': give a position number below " +
                               std::to_string(session->keyboard->KeyList().size()) +
                               " or a key name such as A, F1, Esc or LCtrl");
            return 2;
        }
    }
    if (operation == "get") return Get(context, *session, position);
    if (operation == "set") return Set(context, *session, *position, args[2]);
    return Set(context, *session, *position, "default");
}

}  // namespace vestra::cli
