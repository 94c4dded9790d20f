// The keyboard's settings record (commands 0x05 / 0x06): lighting, flags and polling rate.
#pragma once

#include <algorithm>
#include <cstdint>
#include <span>

#include "device/protocol/ProtocolConstants.h"

namespace vestra::protocol {

// Lighting speed runs 0-4 in the profile; the device stores 4 - speed.
inline uint8_t SpeedFromWire(uint8_t wire) {
    return static_cast<uint8_t>(4 - std::min<uint8_t>(wire, 4));
}
inline uint8_t SpeedToWire(uint8_t speed) {
    return static_cast<uint8_t>(4 - std::min<uint8_t>(speed, 4));
}

#pragma pack(push, 1)
struct KeyboardSettingsRecord {
    uint8_t slot;        // 0: active profile slot; 0 on write
    uint8_t modeCode;    // 1: device lighting mode code (through the mode table)
    uint8_t brightness;  // 2
    uint8_t speedCode;   // 3: 4 - speed
    uint8_t direction;   // 4
    uint8_t multiColor;  // 5
    uint8_t red;         // 6
    uint8_t green;       // 7
    uint8_t blue;        // 8
    uint8_t zero9[10];
    uint8_t ledMode;      // 19: ZZCCLedMode
    uint8_t wFlag;        // 20
    uint8_t key6Flag;     // 21
    uint8_t winFlag;      // 22: Windows-key lock
    uint8_t pollingRate;  // 23: written, not read back
    uint8_t zero24[2];
    uint8_t customGroup;  // 26: custom colour group

    uint8_t Speed() const { return SpeedFromWire(speedCode); }
    void SetSpeed(uint8_t speed) { speedCode = SpeedToWire(speed); }

    std::span<uint8_t> Bytes() { return {reinterpret_cast<uint8_t*>(this), sizeof *this}; }
    std::span<const uint8_t> Bytes() const {
        return {reinterpret_cast<const uint8_t*>(this), sizeof *this};
    }
};
#pragma pack(pop)
static_assert(sizeof(KeyboardSettingsRecord) == kSettingsReadSize);

}  // namespace vestra::protocol
