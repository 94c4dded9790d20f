// The macro image of command 0x15 (and the shoot image of 0x17): encoder and capacity test.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace vestra::protocol {

enum class MacroAction { Up, Down };

// One input event as the image stores it; the fields of a macro file's event.
struct MacroImageEvent {
    MacroAction action = MacroAction::Down;
    uint8_t type = 0;  // 1 mouse button, 4/5 moves, 9 modifier mask, 10 key usage
    uint8_t button = 0;
    uint16_t delayMs = 0;
};

using MacroImageMacro = std::vector<MacroImageEvent>;

// Size in bytes of the image of these macros: 16 + 2n + sum(4 + 4m).
size_t MacroImageSize(std::span<const MacroImageMacro> macros);

// The image bytes; nullopt when it would exceed the 16-bit size and offset fields.
std::optional<std::vector<uint8_t>> EncodeMacroImage(std::span<const MacroImageMacro> macros);

// How a device object reports an image over capacity.
enum class MacroOverflowReport {
    EventsOver,  // keyboard: (size - capacity) / 4 + 1
    ImageSize,   // mouse: the image size
};

// 0 when the image fits capacityBytes (128 * DeviceInfo byte 6), else the positive overflow.
size_t MacroCapacityExcess(size_t imageSize, size_t capacityBytes, MacroOverflowReport report);

}  // namespace vestra::protocol
