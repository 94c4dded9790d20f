// The lighting part of the mouse pad's and the headset's settings record: the first 21 of the
// 27 bytes read from a profile slot, and the 21 bytes written back.
#pragma once

#include <cstdint>
#include <span>

#include "device/model/ModeTable.h"
#include "device/protocol/DeviceChannel.h"

namespace vestra {

#pragma pack(push, 1)
struct LightSettingsRecord {
    uint8_t slot;        // 0: the active slot byte, kept as read
    uint8_t mode;        // 1: mode code on the wire; the mirror holds the mode index
    uint8_t brightness;  // 2: level 0-4
    uint8_t speed;       // 3: 4 - speed on the wire; the mirror holds the speed
    uint8_t direction;   // 4
    uint8_t multiColor;  // 5
    uint8_t red;         // 6
    uint8_t green;       // 7
    uint8_t blue;        // 8
    uint8_t kept[12];    // 9-20: kept as read and written back unchanged

    std::span<uint8_t> Bytes() { return {reinterpret_cast<uint8_t*>(this), sizeof *this}; }
    std::span<const uint8_t> Bytes() const {
        return {reinterpret_cast<const uint8_t*>(this), sizeof *this};
    }
};
#pragma pack(pop)
static_assert(sizeof(LightSettingsRecord) == 21);

// Reads the active slot and its record into `mirror`, with the mode code turned into its mode
// index (a code the table lacks is kept) and the speed back into 0-4. A failed read leaves
// `mirror` and `slot` unchanged. A result code of the channel.
int ReadLightSettings(protocol::DeviceChannel& channel, const ModeTable& modes,
                      LightSettingsRecord& mirror, uint8_t& slot);
// Writes a copy of the mirror to the record at slot × 64, in a configuration bracket, with the
// mode index turned into its code and the speed into 4 - speed; the mirror is not changed.
int WriteLightSettings(protocol::DeviceChannel& channel, const ModeTable& modes,
                       const LightSettingsRecord& mirror, int slot);

}  // namespace vestra
