// The headset's 13 LEDs as the audio chip takes them: colour registers written with twelve
// 17-byte HID output reports.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "device/protocol/LightFrame.h"
#include "hid/HidInterface.h"

namespace vestra {

inline constexpr int kHeadsetLedCount = 13;
inline constexpr int kHeadsetLedReports = 12;
// The chip misbehaves above this register value.
inline constexpr uint8_t kHeadsetLedMax = 247;

#pragma pack(push, 1)
struct Cm6533LedReport {
    uint8_t reportId = 0xFF;  // 0: the chip's register report
    uint8_t bank = 0;         // 1: 0x22 or 0x44
    uint8_t reg = 0;          // 2: 0xAA/0xAB/0xAC red/green/blue LEDs 0-6, 0xAD/0xAE/0xAF 7-12
    uint8_t zero = 0;         // 3
    uint8_t values[7] = {};   // 4-10: one component per LED (six for the upper registers)
    uint8_t unused[6] = {};   // 11-16
};
#pragma pack(pop)
static_assert(sizeof(Cm6533LedReport) == 17);

// (component × brightness) >> 8, capped at kHeadsetLedMax.
uint8_t HeadsetLedValue(uint8_t component, uint8_t brightness);

// The reports in the order the chip is written: for red, then green, then blue: bank 0x22
// LEDs 0-6, bank 0x22 LEDs 7-12, bank 0x44 LEDs 0-6, bank 0x44 LEDs 7-12. Missing LEDs are off.
std::array<Cm6533LedReport, kHeadsetLedReports> BuildHeadsetLedReports(
    std::span<const protocol::KeyColour> leds);

// Sends the twelve reports as output reports; false when any failed (the rest are still sent,
// and the next frame repeats every register).
bool SendHeadsetLeds(hid::HidInterface& hid, std::span<const protocol::KeyColour> leds);

}  // namespace vestra
