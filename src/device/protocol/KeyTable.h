// The key table (3-byte function code per key slot) and the key-to-LED table (1 byte per slot).
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "device/protocol/ProtocolConstants.h"

namespace vestra::protocol {

#pragma pack(push, 1)
struct KeyCode {
    uint8_t type;    // function type, e.g. 0x20 keyboard key, 0x70 / 0x71 macro
    uint8_t value1;  // for 0x20: modifier mask; for macros: the macro number
    uint8_t value2;  // for 0x20: HID keyboard usage

    bool operator==(const KeyCode&) const = default;
};
#pragma pack(pop)
static_assert(sizeof(KeyCode) == kKeyCodeSize);

// Bytes of the key table of a device with this many key slots; the channel's block size.
inline constexpr size_t KeyTableSize(size_t keyCount) {
    return keyCount * kKeyCodeSize;
}

// The code of one slot; a slot outside the table reads as all zero.
KeyCode KeyCodeAt(std::span<const uint8_t> table, size_t slot);
// Stores the code of one slot; false (nothing written) when the slot is outside the table.
bool SetKeyCode(std::span<uint8_t> table, size_t slot, KeyCode code);
// The first slot below keyCount holding the code, or -1.
int FindKeySlot(std::span<const uint8_t> table, size_t keyCount, KeyCode code);

// The LED index of a key slot in the light frame; kNoLed when the key has none or the slot is
// outside the table.
uint8_t LedOfSlot(std::span<const uint8_t> keyLeds, size_t slot);

}  // namespace vestra::protocol
