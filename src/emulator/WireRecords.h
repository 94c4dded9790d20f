// The byte layouts the emulated firmware reads and writes: packets, blocks and settings records.
#pragma once

#include <cstddef>
#include <cstdint>

#include "device/protocol/ProtocolConstants.h"

namespace vestra::emulator {

#pragma pack(push, 1)

// One request or reply on the command channel.
struct CommandPacket {
    uint8_t reportId;     // 0: always 4
    uint8_t checksum[2];  // 1-2: sum of bytes 3..63, little-endian
    uint8_t command;      // 3: echoed by the reply
    uint8_t length;       // 4: data bytes of this packet, or bytes wanted by a read
    uint8_t address[2];   // 5-6: little-endian
    uint8_t status;       // 7: zero in requests; the reply's status
    uint8_t data[protocol::kMaxDataPerPacket];
};
static_assert(sizeof(CommandPacket) == protocol::kReportSize);
static_assert(offsetof(CommandPacket, command) == protocol::kOffsetCommand);
static_assert(offsetof(CommandPacket, status) == protocol::kOffsetStatus);
static_assert(offsetof(CommandPacket, data) == protocol::kOffsetData);

// The information block read by command 0x03.
struct InfoBlock {
    uint8_t firmwareMajor;  // 0
    uint8_t firmwareMinor;  // 1
    uint8_t productId[2];   // 2-3: little-endian
    uint8_t hardwareRev;    // 4
    uint8_t keyCount;       // 5: key slots in the key table
    uint8_t macroCapacity;  // 6: macro memory in 128-byte units
    uint8_t profileSlots;   // 7
    uint8_t reserved8;
    uint8_t sensorCode[2];  // 9-10: mouse sensor, little-endian
    uint8_t dpiStep;        // 11
    uint8_t maxDpi[2];      // 12-13: little-endian
    uint8_t minDpi[2];      // 14-15: little-endian
    uint8_t reserved16[18];
};
static_assert(sizeof(InfoBlock) == protocol::kDeviceInfoSize);

// The status block read by command 0x1A.
struct StatusBlock {
    uint8_t batteryPercent;  // 0
    uint8_t powerState;      // 1: 0 powered, 1 charging, 2 on battery
    uint8_t reserved2;
    uint8_t wireless;   // 3: the host replaces it with its own link type
    uint8_t event;      // 4: passed on by the host with its power message
    uint8_t phoneType;  // 5: pad phone charger: 1 iPhone, 2 Samsung, 3 other
};
static_assert(sizeof(StatusBlock) == protocol::kPowerStatusSize);

// The lighting record of a keyboard, pad or headset profile slot; slot p starts at p * 25,
// so the last two bytes of one slot are the first two of the next.
struct LightingRecord {
    uint8_t activeSlot;        // 0: meaningful at address 0 only
    uint8_t modeCode;          // 1
    uint8_t brightness;        // 2: 0-4
    uint8_t inverseSpeed;      // 3: 4 - speed
    uint8_t direction;         // 4
    uint8_t multiColour;       // 5
    uint8_t red, green, blue;  // 6-8
    uint8_t reserved9[9];
    uint8_t keyboardExtra;  // 18: set by the profile-and-extra notification (0x11xx)
    uint8_t ledAreaMode;    // 19
    uint8_t wFlag;          // 20
    uint8_t key6Flag;       // 21
    uint8_t winLock;        // 22
    uint8_t pollingRate;    // 23
    uint8_t reserved24[2];
    uint8_t customGroup;  // 26
};
static_assert(sizeof(LightingRecord) == protocol::kSettingsReadSize);

struct DpiStageRecord {
    uint8_t active;
    uint8_t separateXy;
    uint8_t dpiX[2];  // little-endian
    uint8_t dpiY[2];
    uint8_t red, green, blue;
};
static_assert(sizeof(DpiStageRecord) == 9);

// One 128-byte settings page of the mouse; page p starts at p * 128.
struct MouseSettingsPage {
    uint8_t activePage;        // 0: meaningful at address 0 only
    uint8_t modeCode;          // 1
    uint8_t brightness;        // 2
    uint8_t inverseSpeed;      // 3
    uint8_t direction;         // 4
    uint8_t multiColour;       // 5
    uint8_t red, green, blue;  // 6-8
    uint8_t reserved9[2];
    uint8_t pollingRate;       // 11: index 0-4
    uint8_t selectedStage;     // 12: 0-3
    uint8_t sensorHeight;      // 13: 0-2
    DpiStageRecord stages[4];  // 14-49
    uint8_t hostValid;         // 50: 1 once a host wrote the page
    uint8_t screenWidth[2];    // 51-52
    uint8_t screenHeight[2];   // 53-54
    uint8_t correctMinSq;      // 55
    uint8_t correctPixThresh;  // 56
    uint8_t firmwareOwn[5];    // 57-61: read back, never written by the host
    uint8_t unused62[66];
};
static_assert(offsetof(MouseSettingsPage, hostValid) == 50);
static_assert(offsetof(MouseSettingsPage, unused62) == protocol::kMouseSettingsReadSize);
static_assert(sizeof(MouseSettingsPage) == protocol::kMouseSettingsSlotStride);

// The headset audio chip's LED register write: one colour of up to seven LEDs.
struct LedRegisterReport {
    uint8_t reportId;  // 0: 0xFF
    uint8_t bank;      // 1: 0x22 left ear cup, 0x44 right ear cup
    uint8_t reg;       // 2: 0xAA/0xAB/0xAC red/green/blue LEDs 0-6, 0xAD/0xAE/0xAF LEDs 7-12
    uint8_t zero;
    uint8_t values[7];  // 4-10
    uint8_t unused[6];
};
static_assert(sizeof(LedRegisterReport) == 17);

#pragma pack(pop)

inline uint16_t LoadLe16(const uint8_t (&bytes)[2]) {
    return static_cast<uint16_t>(bytes[0] | bytes[1] << 8);
}
inline void StoreLe16(uint8_t (&bytes)[2], uint16_t value) {
    bytes[0] = static_cast<uint8_t>(value);
    bytes[1] = static_cast<uint8_t>(value >> 8);
}

}  // namespace vestra::emulator
