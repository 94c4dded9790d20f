// The mouse's eleven logical keys, their default codes, and where each sits in the device's
// key table.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "device/protocol/KeyTable.h"

namespace vestra {

inline constexpr size_t kMouseKeyCount = 11;
// A logical key the device's key table has no slot for.
inline constexpr uint8_t kMouseNoSlot = 170;

struct MouseKeyInfo {
    const char* languageKey;     // the key's name in the language files
    protocol::KeyCode defaults;  // the code by which its slot is found
};

// Left, right, middle, forward, back, DPI up, DPI down, DPI cycle, game mode, M8, fire.
std::span<const MouseKeyInfo, kMouseKeyCount> MouseKeys();

using MouseSlotMap = std::array<uint8_t, kMouseKeyCount>;

// For each logical key, the first slot below keyCount that holds its default code, or
// kMouseNoSlot.
MouseSlotMap BuildMouseSlotMap(std::span<const uint8_t> table, size_t keyCount);

}  // namespace vestra
