// Which device key slot, and which LED, each of the keyboard's 170 key positions has.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "device/model/LightTables.h"
#include "device/protocol/KeyTable.h"

namespace vestra {

// The factory code of each key position. The keyboard's slots are recognised by it: a slot
// still holding a position's factory code is that position's key.
extern const std::array<protocol::KeyCode, kKeyPositions> kDefaultKeyCodes;

// Map value of a position the keyboard has no slot or LED for.
inline constexpr uint8_t kNoSlot = 255;

struct KeyboardKeyMap {
    std::array<uint8_t, kKeyPositions> slotOf;  // map 0: position -> key slot
    std::array<uint8_t, kKeyPositions> ledOf;   // map 1: position -> LED index

    KeyboardKeyMap() {
        slotOf.fill(kNoSlot);
        ledOf.fill(kNoSlot);
    }

    // Each position takes the first of the keyCount slots holding its factory code, so two
    // slots with the same code give the first, and every position whose factory code is the
    // empty key (20 00 00) shares the first empty slot. keyLeds gives the LED of each slot.
    static KeyboardKeyMap Build(std::span<const uint8_t> keyTable, std::span<const uint8_t> keyLeds,
                                size_t keyCount);
    // The map for slots already known (from an earlier read), with the LEDs of keyLeds. A slot
    // at or beyond keyCount counts as none.
    static KeyboardKeyMap FromSlots(std::span<const uint8_t, kKeyPositions> slots,
                                    std::span<const uint8_t> keyLeds, size_t keyCount);
};

}  // namespace vestra
