#include "device/protocol/KeyTable.h"

namespace vestra::protocol {

KeyCode KeyCodeAt(std::span<const uint8_t> table, size_t slot) {
    size_t at = slot * kKeyCodeSize;
    if (at + kKeyCodeSize > table.size()) return KeyCode{0, 0, 0};
    return KeyCode{table[at], table[at + 1], table[at + 2]};
}

bool SetKeyCode(std::span<uint8_t> table, size_t slot, KeyCode code) {
    size_t at = slot * kKeyCodeSize;
    if (at + kKeyCodeSize > table.size()) return false;
    table[at] = code.type;
    table[at + 1] = code.value1;
    table[at + 2] = code.value2;
    return true;
}

int FindKeySlot(std::span<const uint8_t> table, size_t keyCount, KeyCode code) {
    for (size_t slot = 0; slot < keyCount && (slot + 1) * kKeyCodeSize <= table.size(); ++slot) {
        if (KeyCodeAt(table, slot) == code) return static_cast<int>(slot);
    }
    return -1;
}

uint8_t LedOfSlot(std::span<const uint8_t> keyLeds, size_t slot) {
    return slot < keyLeds.size() ? keyLeds[slot] : kNoLed;
}

}  // namespace vestra::protocol
