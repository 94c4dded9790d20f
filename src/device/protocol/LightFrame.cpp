#include "device/protocol/LightFrame.h"

#include <algorithm>

#include "device/protocol/ProtocolConstants.h"

namespace vestra::protocol {
namespace {

uint8_t Scale(uint8_t component, uint8_t brightness) {
    return static_cast<uint8_t>(component * brightness / 256);
}

}  // namespace

std::vector<uint8_t> BuildLightFrame(std::span<const KeyColour> colours,
                                     std::span<const uint8_t> keyLeds, size_t keyCount,
                                     LightScaling scaling) {
    std::vector<uint8_t> frame(3 * keyCount, 0);
    size_t keys = std::min(colours.size(), keyLeds.size());
    for (size_t i = 0; i < keys; ++i) {
        size_t led = keyLeds[i];
        if (led == kNoLed || led >= keyCount) continue;
        KeyColour c = colours[i];
        if (scaling == LightScaling::ByBrightness) {
            c.red = Scale(c.red, c.brightness);
            c.green = Scale(c.green, c.brightness);
            c.blue = Scale(c.blue, c.brightness);
        }
        frame[3 * led] = c.red;
        frame[3 * led + 1] = c.green;
        frame[3 * led + 2] = c.blue;
    }
    return frame;
}

}  // namespace vestra::protocol
