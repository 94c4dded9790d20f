// The factory key tables of the emulated keyboard and mouse: one 3-byte function code per key
// slot (type, value 1, value 2), and the keyboard's LED index per slot.
#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace vestra::emulator {

using KeyCode = std::array<uint8_t, 3>;

// A 104-key board, slots in row order from Escape to keypad '.'.
std::span<const KeyCode> KeyboardSlotCodes();
// LED index of each keyboard slot: the LED chain runs along the rows in a serpentine.
std::span<const uint8_t> KeyboardSlotLeds();
// Eleven mouse buttons.
std::span<const KeyCode> MouseSlotCodes();

}  // namespace vestra::emulator
