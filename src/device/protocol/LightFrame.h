// The light frame of commands 0x0B / 0x12: 3 bytes (red, green, blue) per LED index.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace vestra::protocol {

// One entry of a device's per-key colour buffer.
struct KeyColour {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    uint8_t brightness = 0;
    bool operator==(const KeyColour&) const = default;
};
static_assert(sizeof(KeyColour) == 4);

enum class LightScaling {
    Unscaled,      // the stored colour as it is
    ByBrightness,  // each component * brightness / 256, rounded down
};

// Builds the frame for a device with keyCount LEDs (3 * keyCount bytes): key i's colour goes to
// the LED index keyLeds[i]. LEDs that no key uses stay zero; keys without an LED (kNoLed) or
// with an index beyond the frame are left out.
std::vector<uint8_t> BuildLightFrame(std::span<const KeyColour> colours,
                                     std::span<const uint8_t> keyLeds, size_t keyCount,
                                     LightScaling scaling);

}  // namespace vestra::protocol
