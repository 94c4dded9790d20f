// Names of keyboard keys: HID keyboard usages, modifier bits, and key positions by their
// default code.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "device/protocol/KeyTable.h"
#include "profile/ProfileRecords.h"

namespace vestra {

// Function type of a keyboard key: value 1 is a modifier mask, value 2 a HID keyboard usage.
inline constexpr uint8_t kKeyboardKeyType = 0x20;

// "A", "F1", "Esc", "KP5", ... for a usage of the HID keyboard page; empty when it has none.
std::string_view UsageName(uint8_t usage);
// Case-insensitive; also takes a few common spellings ("Escape", "Return", "Del").
std::optional<uint8_t> UsageFromName(std::string_view name);

// "LCtrl", "LShift", "LAlt", "LWin", "RCtrl", "RShift", "RAlt", "RWin" for one modifier bit;
// empty for anything but a single bit.
std::string_view ModifierName(uint8_t bit);
// Case-insensitive; "Ctrl", "Shift", "Alt" and "Win" name the left keys.
std::optional<uint8_t> ModifierFromName(std::string_view name);

// The name of the key that a keyboard-key code types on its own: the usage's name, or the
// modifier's for a code with a single modifier bit and no usage. Empty otherwise.
std::string KeyCodeName(protocol::KeyCode code);

// Key positions are named after their default code: position 64, whose default is 20 00 04,
// is "A". Positions whose default is no single key have no name.
std::string PositionName(std::span<const KeyAssignmentPair> keys, size_t position);
// A position by name (case-insensitive) or by decimal number below keys.size().
std::optional<size_t> FindPosition(std::span<const KeyAssignmentPair> keys, std::string_view word);

}  // namespace vestra
