#include "device/model/HeadsetLeds.h"

#include <algorithm>

namespace vestra {
namespace {

constexpr uint8_t kBanks[] = {0x22, 0x44};
constexpr uint8_t kLowerRegister[] = {0xAA, 0xAB, 0xAC};  // red, green, blue of LEDs 0-6
constexpr uint8_t kUpperOffset = 3;                       // 0xAD-0xAF: LEDs 7-12
constexpr int kLowerLeds = 7;

uint8_t Component(const protocol::KeyColour& led, int colour) {
    const uint8_t value = colour == 0 ? led.red : colour == 1 ? led.green : led.blue;
    return HeadsetLedValue(value, led.brightness);
}

}  // namespace

uint8_t HeadsetLedValue(uint8_t component, uint8_t brightness) {
    return static_cast<uint8_t>(std::min<int>((component * brightness) >> 8, kHeadsetLedMax));
}

std::array<Cm6533LedReport, kHeadsetLedReports> BuildHeadsetLedReports(
    std::span<const protocol::KeyColour> leds) {
    std::array<Cm6533LedReport, kHeadsetLedReports> reports{};
    size_t next = 0;
    for (int colour = 0; colour < 3; ++colour) {
        for (uint8_t bank : kBanks) {
            for (bool upper : {false, true}) {
                Cm6533LedReport& report = reports[next++];
                report.bank = bank;
                report.reg =
                    static_cast<uint8_t>(kLowerRegister[colour] + (upper ? kUpperOffset : 0));
                const int first = upper ? kLowerLeds : 0;
                const int count = upper ? kHeadsetLedCount - kLowerLeds : kLowerLeds;
                for (int i = 0; i < count; ++i) {
                    const size_t led = static_cast<size_t>(first + i);
                    if (led < leds.size()) report.values[i] = Component(leds[led], colour);
                }
            }
        }
    }
    return reports;
}

bool SendHeadsetLeds(hid::HidInterface& hid, std::span<const protocol::KeyColour> leds) {
    bool sent = true;
    for (const Cm6533LedReport& report : BuildHeadsetLedReports(leds)) {
        sent &= hid.SetOutputReport(reinterpret_cast<const uint8_t*>(&report), sizeof report);
    }
    return sent;
}

}  // namespace vestra
