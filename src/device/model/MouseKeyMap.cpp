#include "device/model/MouseKeyMap.h"

namespace vestra {

std::span<const MouseKeyInfo, kMouseKeyCount> MouseKeys() {
    // Codes: 0x10 mouse button (bit mask), 0x13 DPI (1 up, 2 down, 3 cycle), 0xA0 game mode,
    // 0x16 the M8 key, 0x14 fire (interval 0x78, two shots).
    static constexpr MouseKeyInfo kKeys[kMouseKeyCount] = {
        {"mouse_key_left", {0x10, 0x01, 0x00}},     {"mouse_key_right", {0x10, 0x02, 0x00}},
        {"mouse_key_middle", {0x10, 0x04, 0x00}},   {"mouse_key_forward", {0x10, 0x10, 0x00}},
        {"mouse_key_back", {0x10, 0x08, 0x00}},     {"mouse_key_DPI_add", {0x13, 0x01, 0x00}},
        {"mouse_key_DPI_sub", {0x13, 0x02, 0x00}},  {"mouse_key_DPI_loop", {0x13, 0x03, 0x00}},
        {"keyboard_key_GM", {0xA0, 0x1B, 0x00}},    {"mouse_key_M8_key", {0x16, 0x90, 0x01}},
        {"mouse_key_fire_key", {0x14, 0x78, 0x02}},
    };
    return std::span<const MouseKeyInfo, kMouseKeyCount>(kKeys);
}

MouseSlotMap BuildMouseSlotMap(std::span<const uint8_t> table, size_t keyCount) {
    MouseSlotMap map;
    for (size_t key = 0; key < kMouseKeyCount; ++key) {
        const int slot = protocol::FindKeySlot(table, keyCount, MouseKeys()[key].defaults);
        map[key] = slot < 0 || slot >= kMouseNoSlot ? kMouseNoSlot : static_cast<uint8_t>(slot);
    }
    return map;
}

}  // namespace vestra
