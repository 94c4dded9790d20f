// The memory of one emulated peripheral: every region its firmware keeps across power cycles.
#pragma once

#include <json/value.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "emulator/ProductTable.h"

namespace vestra::emulator {

enum class Region {
    Info,          // information block (command 0x03)
    Settings,      // profile slot byte at 0, then the slot records (0x05 / 0x06)
    KeyTable,      // 3-byte function code per key slot (0x07 / 0x09)
    KeyLeds,       // LED index per key slot, 255 for none (0x1B)
    Macros,        // macro image (0x15)
    Shoot,         // bullet patterns (0x17)
    CustomLight,   // custom colour groups of 512 bytes (0x0B)
    LightFrame,    // the last host-streamed light frame (0x12)
    Status,        // power status block (0x1A)
    LedRegisters,  // headset LED registers: bank, then colour, then LED
};
inline constexpr size_t kRegionCount = 10;

inline constexpr int kProfileSlots = 4;
inline constexpr size_t kCustomLightGroups = 8;
inline constexpr int kHeadsetLeds = 13;

class DeviceMemory {
public:
    // The factory state of a peripheral, with every region at its fixed size.
    static DeviceMemory Factory(Peripheral peripheral);

    std::span<uint8_t> Bytes(Region region) { return m_regions[Index(region)]; }
    std::span<const uint8_t> Bytes(Region region) const { return m_regions[Index(region)]; }

    bool HostLightControl() const { return m_hostLightControl; }
    void SetHostLightControl(bool on) { m_hostLightControl = on; }

    // Colour of headset LED 0-12 as the register bank 0x22 (bank 0) or 0x44 (bank 1) holds it.
    std::array<uint8_t, 3> HeadsetLed(int bank, int led) const;

    // Regions as hexadecimal text under their names.
    Json::Value ToJson() const;
    // Takes the regions from the document; every region must be present at this memory's size.
    // On failure the memory is unchanged and error names the first bad field.
    bool FromJson(const Json::Value& value, std::string& error);

    friend bool operator==(const DeviceMemory&, const DeviceMemory&) = default;

private:
    static size_t Index(Region region) { return static_cast<size_t>(region); }

    std::array<std::vector<uint8_t>, kRegionCount> m_regions;
    bool m_hostLightControl = false;
};

}  // namespace vestra::emulator
