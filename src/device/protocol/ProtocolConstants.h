// Wire constants shared by the command channel and the device emulator (values only, no code).
#pragma once

#include <cstddef>
#include <cstdint>

namespace vestra::protocol {

// Every request and reply is one 64-byte report with report id 4.
inline constexpr size_t kReportSize = 64;
inline constexpr uint8_t kReportId = 4;
// Byte positions within a report.
inline constexpr size_t kOffsetChecksumLow = 1;   // sum of bytes 3..63, little-endian
inline constexpr size_t kOffsetChecksumHigh = 2;
inline constexpr size_t kOffsetCommand = 3;       // echoed by the reply; replies are matched on it
inline constexpr size_t kOffsetLength = 4;
inline constexpr size_t kOffsetAddressLow = 5;
inline constexpr size_t kOffsetAddressHigh = 6;
inline constexpr size_t kOffsetStatus = 7;        // reply only: 0xFF / 0xFE are failures
inline constexpr size_t kOffsetData = 8;
inline constexpr size_t kMaxDataPerPacket = 56;

inline constexpr size_t kChunkCable = 56;
inline constexpr size_t kChunkReceiver = 24;  // keeps receiver packets within 32 meaningful bytes
inline constexpr size_t kMaxBlockSize = 512;
inline constexpr int kTimeoutCableMs = 1000;
inline constexpr int kTimeoutReceiverMs = 5000;

inline constexpr uint8_t kStatusErrorFF = 0xFF;
inline constexpr uint8_t kStatusErrorFE = 0xFE;

enum Command : uint8_t {
    CMD_BEGIN_CONFIG = 0x01,
    CMD_END_CONFIG = 0x02,
    CMD_READ_INFO = 0x03,
    CMD_READ_SETTINGS = 0x05,
    CMD_WRITE_SETTINGS = 0x06,
    CMD_READ_KEYMAP = 0x07,
    CMD_WRITE_KEYMAP = 0x09,
    CMD_WRITE_CUSTOM_LIGHT = 0x0B,
    CMD_STREAM_LIGHT = 0x12,
    CMD_WRITE_MACROS = 0x15,
    CMD_WRITE_SHOOT = 0x17,
    CMD_READ_STATUS = 0x1A,
    CMD_READ_KEY_LEDS = 0x1B,
    CMD_HOST_LIGHT_CONTROL = 0x1C,
    CMD_LINK_QUERY = 0xAA,  // also the command byte of the receiver's own link report
};

// Sizes of the device-side records.
inline constexpr size_t kDeviceInfoSize = 34;
inline constexpr size_t kPowerStatusSize = 6;
inline constexpr size_t kSettingsReadSize = 27;      // keyboard, pad, headset: slot p at p * 25
inline constexpr size_t kSettingsSlotStride = 25;
inline constexpr size_t kMouseSettingsReadSize = 62; // mouse: slot p at p * 128
inline constexpr size_t kMouseSettingsSlotStride = 128;
inline constexpr size_t kMouseSettingsWriteSize = 57;
inline constexpr size_t kPadSettingsWriteSize = 21;
inline constexpr size_t kHeadsetSettingsWriteSize = 21;
inline constexpr size_t kKeyCodeSize = 3;            // type, value 1, value 2
inline constexpr size_t kMacroCapacityUnit = 128;    // DeviceInfo byte 6 counts these
inline constexpr uint16_t kMacroSignature = 0x55AA;
inline constexpr size_t kMacroImageHeaderSize = 16;  // signature, size, count, 10 zero bytes
inline constexpr size_t kMacroRecordHeaderSize = 4;  // event count, 2 zero bytes
inline constexpr size_t kMacroEventSize = 4;         // delay (LE16), type, button
inline constexpr uint8_t kMacroEventDown = 0x80;     // set in the type byte of a "down" event
inline constexpr size_t kCustomLightStride = 512;
inline constexpr uint8_t kNoLed = 0xFF;              // key-to-LED table: the key has no LED

// Link query reply byte 8 when the wireless device is reachable.
inline constexpr uint8_t kLinkUp = 0xFF;

}  // namespace vestra::protocol
