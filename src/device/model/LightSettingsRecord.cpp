#include "device/model/LightSettingsRecord.h"

#include <array>
#include <cstring>

#include "device/protocol/KeyboardSettingsRecord.h"

namespace vestra {
namespace {

// Writes go to slot × 64, reads come from slot × 25: the devices keep both layouts.
constexpr int kWriteSlotStride = 64;

}  // namespace

int ReadLightSettings(protocol::DeviceChannel& channel, const ModeTable& modes,
                      LightSettingsRecord& mirror, uint8_t& slot) {
    if (!channel.IsOpen()) return protocol::RESULT_CLOSED;
    uint8_t active = 0;
    int result = channel.ReadSettings({&active, 1}, 0);
    std::array<uint8_t, protocol::kSettingsReadSize> bytes{};
    if (result == protocol::RESULT_OK) {
        result = channel.ReadSettings(
            bytes, static_cast<uint16_t>(active * protocol::kSettingsSlotStride));
    }
    if (result != protocol::RESULT_OK) return result;
    LightSettingsRecord record;
    std::memcpy(&record, bytes.data(), sizeof record);
    record.mode = modes.IndexOfCode(record.mode);
    record.speed = protocol::SpeedFromWire(record.speed);
    mirror = record;
    slot = active;
    return result;
}

int WriteLightSettings(protocol::DeviceChannel& channel, const ModeTable& modes,
                       const LightSettingsRecord& mirror, int slot) {
    LightSettingsRecord record = mirror;
    record.mode = modes.CodeOfIndex(mirror.mode);
    record.speed = protocol::SpeedToWire(mirror.speed);
    if (channel.IsOpen()) channel.BeginConfig();
    const int result =
        channel.WriteSettings(record.Bytes(), static_cast<uint16_t>(slot * kWriteSlotStride));
    if (channel.IsOpen()) channel.EndConfig();
    return result;
}

}  // namespace vestra
