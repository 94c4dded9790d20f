#include "emulator/FactoryKeyTables.h"

#include <cstddef>

namespace vestra::emulator {
namespace {

// Type 0x20 is a keyboard key: value 1 a modifier mask, value 2 a HID keyboard usage.
constexpr KeyCode Key(uint8_t usage) {
    return {0x20, 0x00, usage};
}
constexpr KeyCode Modifier(uint8_t mask) {
    return {0x20, mask, 0x00};
}

constexpr size_t kRowLengths[] = {16, 21, 21, 16, 17, 13};

constexpr KeyCode kKeyboardSlots[] = {
    // Escape, F1-F12, Print Screen, Scroll Lock, Pause.
    Key(0x29),
    Key(0x3A),
    Key(0x3B),
    Key(0x3C),
    Key(0x3D),
    Key(0x3E),
    Key(0x3F),
    Key(0x40),
    Key(0x41),
    Key(0x42),
    Key(0x43),
    Key(0x44),
    Key(0x45),
    Key(0x46),
    Key(0x47),
    Key(0x48),
    // ` 1-9 0 - = Backspace, Insert Home Page Up, Num Lock and keypad / * -.
    Key(0x35),
    Key(0x1E),
    Key(0x1F),
    Key(0x20),
    Key(0x21),
    Key(0x22),
    Key(0x23),
    Key(0x24),
    Key(0x25),
    Key(0x26),
    Key(0x27),
    Key(0x2D),
    Key(0x2E),
    Key(0x2A),
    Key(0x49),
    Key(0x4A),
    Key(0x4B),
    Key(0x53),
    Key(0x54),
    Key(0x55),
    Key(0x56),
    // Tab Q-P [ ] \, Delete End Page Down, keypad 7 8 9 +.
    Key(0x2B),
    Key(0x14),
    Key(0x1A),
    Key(0x08),
    Key(0x15),
    Key(0x17),
    Key(0x1C),
    Key(0x18),
    Key(0x0C),
    Key(0x12),
    Key(0x13),
    Key(0x2F),
    Key(0x30),
    Key(0x31),
    Key(0x4C),
    Key(0x4D),
    Key(0x4E),
    Key(0x5F),
    Key(0x60),
    Key(0x61),
    Key(0x57),
    // Caps Lock A-L ; ' Enter, keypad 4 5 6.
    Key(0x39),
    Key(0x04),
    Key(0x16),
    Key(0x07),
    Key(0x09),
    Key(0x0A),
    Key(0x0B),
    Key(0x0D),
    Key(0x0E),
    Key(0x0F),
    Key(0x33),
    Key(0x34),
    Key(0x28),
    Key(0x5C),
    Key(0x5D),
    Key(0x5E),
    // Left Shift Z-M , . / Right Shift, Up, keypad 1 2 3 Enter.
    Modifier(0x02),
    Key(0x1D),
    Key(0x1B),
    Key(0x06),
    Key(0x19),
    Key(0x05),
    Key(0x11),
    Key(0x10),
    Key(0x36),
    Key(0x37),
    Key(0x38),
    Modifier(0x20),
    Key(0x52),
    Key(0x59),
    Key(0x5A),
    Key(0x5B),
    Key(0x58),
    // Left Ctrl, Left Windows, Left Alt, Space, Right Alt, Right Windows, Menu, Right Ctrl,
    // Left Down Right, keypad 0 and '.'.
    Modifier(0x01),
    Modifier(0x08),
    Modifier(0x04),
    Key(0x2C),
    Modifier(0x40),
    Modifier(0x80),
    Key(0x65),
    Modifier(0x10),
    Key(0x50),
    Key(0x51),
    Key(0x4F),
    Key(0x62),
    Key(0x63),
};
static_assert(std::size(kKeyboardSlots) == 104);

constexpr std::array<uint8_t, 104> SerpentineLeds() {
    std::array<uint8_t, 104> leds{};
    size_t first = 0;
    for (size_t row = 0; row < std::size(kRowLengths); ++row) {
        const size_t length = kRowLengths[row];
        for (size_t i = 0; i < length; ++i) {
            // Even rows are wired left to right, odd rows back from the right.
            const size_t led = row % 2 == 0 ? first + i : first + length - 1 - i;
            leds[first + i] = static_cast<uint8_t>(led);
        }
        first += length;
    }
    return leds;
}
constexpr std::array<uint8_t, 104> kKeyboardLeds = SerpentineLeds();

// Left, right, middle, back, forward; DPI up, down, cycle; game mode; M8; fire (interval
// 0x78, two shots). Back sits before forward in the firmware's slot order.
constexpr KeyCode kMouseSlots[] = {
    {0x10, 0x01, 0x00}, {0x10, 0x02, 0x00}, {0x10, 0x04, 0x00}, {0x10, 0x08, 0x00},
    {0x10, 0x10, 0x00}, {0x13, 0x01, 0x00}, {0x13, 0x02, 0x00}, {0x13, 0x03, 0x00},
    {0xA0, 0x1B, 0x00}, {0x16, 0x90, 0x01}, {0x14, 0x78, 0x02},
};

}  // namespace

std::span<const KeyCode> KeyboardSlotCodes() {
    return kKeyboardSlots;
}
std::span<const uint8_t> KeyboardSlotLeds() {
    return kKeyboardLeds;
}
std::span<const KeyCode> MouseSlotCodes() {
    return kMouseSlots;
}

}  // namespace vestra::emulator
