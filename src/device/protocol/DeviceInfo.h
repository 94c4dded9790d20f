// The device information block (command 0x03): key count, macro capacity and mouse sensor data.
#pragma once

#include <cstdint>
#include <span>

#include "device/protocol/ByteOrder.h"
#include "device/protocol/ProtocolConstants.h"

namespace vestra::protocol {

#pragma pack(push, 1)
struct DeviceInfo {
    uint8_t reserved0[5];
    uint8_t keyCount;       // 5: key slots of the device (keyboard keys, mouse buttons)
    uint8_t macroCapacity;  // 6: macro memory in units of 128 bytes
    uint8_t reserved7[2];
    uint8_t sensorCode[2];  // 9-10: mouse sensor, little-endian
    uint8_t dpiStep;        // 11: mouse DPI step
    uint8_t maxDpi[2];      // 12-13: little-endian
    uint8_t minDpi[2];      // 14-15: little-endian
    uint8_t reserved16[18];

    uint8_t KeyCount() const { return keyCount; }
    size_t MacroCapacityBytes() const { return size_t{macroCapacity} * kMacroCapacityUnit; }
    uint16_t SensorCode() const { return LoadLe16(sensorCode); }
    uint8_t DpiStep() const { return dpiStep; }
    uint16_t MaxDpi() const { return LoadLe16(maxDpi); }
    uint16_t MinDpi() const { return LoadLe16(minDpi); }

    std::span<uint8_t> Bytes() { return {reinterpret_cast<uint8_t*>(this), sizeof *this}; }
    std::span<const uint8_t> Bytes() const {
        return {reinterpret_cast<const uint8_t*>(this), sizeof *this};
    }
};
#pragma pack(pop)
static_assert(sizeof(DeviceInfo) == kDeviceInfoSize);

// The sensor whose DPI values are step indexes rather than DPI.
inline constexpr uint16_t kStepIndexSensor = 13093;

}  // namespace vestra::protocol
