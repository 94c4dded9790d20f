// The mouse's settings page (commands 0x05 / 0x06 at page * 128): lighting, polling, DPI stages.
#pragma once

#include <cstdint>
#include <span>

#include "device/protocol/ByteOrder.h"
#include "device/protocol/KeyboardSettingsRecord.h"
#include "device/protocol/ProtocolConstants.h"

namespace vestra::protocol {

inline constexpr size_t kMouseDpiStageCount = 4;

#pragma pack(push, 1)
// One DPI stage as the page holds it.
struct MouseDpiStage {
    uint8_t active;   // 0: stage enabled
    uint8_t xy;       // 1: separate X / Y resolution
    uint8_t dpiX[2];  // 2-3: little-endian; the value shown and edited
    uint8_t dpiY[2];  // 4-5: little-endian
    uint8_t red;      // 6
    uint8_t green;    // 7
    uint8_t blue;     // 8

    uint16_t DpiX() const { return LoadLe16(dpiX); }
    uint16_t DpiY() const { return LoadLe16(dpiY); }
};
static_assert(sizeof(MouseDpiStage) == 9);

// Bytes 0-56 are written, 0-61 read.
struct MouseSettingsBlock {
    uint8_t zero0;       // 0: 0 on write
    uint8_t modeCode;    // 1: effect code (through the mode table)
    uint8_t brightness;  // 2
    uint8_t speedCode;   // 3: 4 - speed
    uint8_t direction;   // 4: written, not read back
    uint8_t multiColor;  // 5
    uint8_t red;         // 6
    uint8_t green;       // 7
    uint8_t blue;        // 8
    uint8_t zero9[2];
    uint8_t pollingIndex;                       // 11: polling-rate index 0-4
    uint8_t selectedStage;                      // 12: selected DPI stage 0-3
    uint8_t sensorHeight;                       // 13: 0-2
    MouseDpiStage stages[kMouseDpiStageCount];  // 14-49
    uint8_t one50;                              // 50: always 1 on write
    uint8_t screenWidth[2];                     // 51-52: primary display, little-endian
    uint8_t screenHeight[2];                    // 53-54
    uint8_t correctMinSq;                       // 55: selected motion correction
    uint8_t correctPixThresh;                   // 56
    uint8_t unwritten[5];                       // 57-61: read only

    uint8_t Speed() const { return SpeedFromWire(speedCode); }
    uint16_t ScreenWidth() const { return LoadLe16(screenWidth); }
    uint16_t ScreenHeight() const { return LoadLe16(screenHeight); }

    std::span<uint8_t> Bytes() { return {reinterpret_cast<uint8_t*>(this), sizeof *this}; }
    std::span<const uint8_t> Bytes() const {
        return {reinterpret_cast<const uint8_t*>(this), sizeof *this};
    }
};
#pragma pack(pop)
static_assert(sizeof(MouseSettingsBlock) == kMouseSettingsReadSize);

}  // namespace vestra::protocol
