#include "emulator/DeviceMemory.h"

#include <algorithm>
#include <cstring>
#include <optional>

#include "emulator/FactoryKeyTables.h"
#include "emulator/WireRecords.h"

namespace vestra::emulator {
namespace {

constexpr const char* kRegionNames[kRegionCount] = {
    "Info",  "Settings",    "KeyTable",   "KeyLeds", "Macros",
    "Shoot", "CustomLight", "LightFrame", "Status",  "LedRegisters",
};

struct RegionSizes {
    size_t sizes[kRegionCount];
};

// Region sizes per peripheral, in Region order. The keyboard-style settings area holds the
// four slot records at p * 25; the mouse's holds 16 pages of 128 bytes (the profile nibble of
// its notifications can name any of them). Macro memory matches the capacity byte of the
// information block (32 and 16 units of 128 bytes). Shoot memory holds four full bullet
// patterns: 16 + 8 + 4 × (4 + 180 × 4) = 2920 bytes.
constexpr RegionSizes kSizes[] = {
    // Info, Settings, KeyTable, KeyLeds, Macros, Shoot, CustomLight, LightFrame, Status, Leds
    {{34, 512, 512, 170, 32 * 128, 0, kCustomLightGroups * 512, 512, 6, 0}},  // keyboard
    {{34, 16 * 128, 512, 0, 16 * 128, 4096, 0, 0, 6, 0}},                     // mouse
    {{34, 512, 0, 0, 0, 0, 0, 0, 6, 0}},                                      // pad
    {{34, 512, 0, 0, 0, 0, 0, 0, 6, 2 * 3 * kHeadsetLeds}},                   // headset
};

struct SlotLighting {
    uint8_t modeCode, brightness, speed, direction, multiColour, red, green, blue;
};
// What the four profile slots light up with out of the box.
constexpr SlotLighting kSlotLighting[kProfileSlots] = {
    {0x01, 4, 2, 0, 1, 255, 0, 0},
    {0x02, 3, 3, 0, 0, 0, 128, 255},
    {0x03, 4, 1, 1, 0, 0, 255, 64},
    {0x05, 2, 2, 0, 1, 255, 255, 255},
};

template <typename Record>
void StoreRecord(std::span<uint8_t> area, size_t address, const Record& record) {
    std::memcpy(area.data() + address, &record, sizeof record);
}

void FillInfo(Peripheral peripheral, std::span<uint8_t> bytes) {
    InfoBlock info{};
    info.firmwareMajor = 1;
    info.firmwareMinor = 4;
    info.hardwareRev = 2;
    info.profileSlots = kProfileSlots;
    switch (peripheral) {
        case Peripheral::Keyboard:
            StoreLe16(info.productId, 0x1000);
            info.keyCount = static_cast<uint8_t>(KeyboardSlotCodes().size());
            info.macroCapacity = 32;
            break;
        case Peripheral::Mouse:
            StoreLe16(info.productId, 0x2224);
            info.keyCount = static_cast<uint8_t>(MouseSlotCodes().size());
            info.macroCapacity = 16;
            StoreLe16(info.sensorCode, 3395);
            info.dpiStep = 50;
            // The field is the highest slider position: 290 is 19000 DPI (100 × 290 − 10000).
            StoreLe16(info.maxDpi, 290);
            StoreLe16(info.minDpi, 50);
            break;
        case Peripheral::Pad:
            StoreLe16(info.productId, 0x1004);
            break;
        case Peripheral::Headset:
            StoreLe16(info.productId, 0x1630);
            break;
    }
    std::memcpy(bytes.data(), &info, sizeof info);
}

void FillLightingSlots(std::span<uint8_t> area) {
    // Ascending, so each slot's leading bytes win over the tail of the slot before it.
    for (int slot = 0; slot < kProfileSlots; ++slot) {
        const SlotLighting& light = kSlotLighting[slot];
        LightingRecord record{};
        record.activeSlot = 0;
        record.modeCode = light.modeCode;
        record.brightness = light.brightness;
        record.inverseSpeed = static_cast<uint8_t>(4 - light.speed);
        record.direction = light.direction;
        record.multiColour = light.multiColour;
        record.red = light.red;
        record.green = light.green;
        record.blue = light.blue;
        record.pollingRate = 3;
        StoreRecord(area, slot * protocol::kSettingsSlotStride, record);
    }
}

void FillMousePages(std::span<uint8_t> area) {
    constexpr uint16_t kStageDpi[4] = {800, 1600, 3200, 6400};
    constexpr uint8_t kStageColours[4][3] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 0}};
    for (int page = 0; page < kProfileSlots; ++page) {
        const SlotLighting& light = kSlotLighting[page];
        MouseSettingsPage record{};
        record.modeCode = light.modeCode;
        record.brightness = light.brightness;
        record.inverseSpeed = static_cast<uint8_t>(4 - light.speed);
        record.direction = light.direction;
        record.multiColour = light.multiColour;
        record.red = light.red;
        record.green = light.green;
        record.blue = light.blue;
        record.pollingRate = 3;
        record.selectedStage = 1;
        record.sensorHeight = 1;
        for (int stage = 0; stage < 4; ++stage) {
            DpiStageRecord& s = record.stages[stage];
            s.active = 1;
            StoreLe16(s.dpiX, kStageDpi[stage]);
            StoreLe16(s.dpiY, kStageDpi[stage]);
            s.red = kStageColours[stage][0];
            s.green = kStageColours[stage][1];
            s.blue = kStageColours[stage][2];
        }
        record.hostValid = 1;
        StoreRecord(area, page * protocol::kMouseSettingsSlotStride, record);
    }
}

void FillKeyTable(std::span<const KeyCode> codes, std::span<uint8_t> table) {
    for (size_t slot = 0; slot < codes.size(); ++slot) {
        std::copy(codes[slot].begin(), codes[slot].end(), table.begin() + slot * 3);
    }
}

void FillStatus(Peripheral peripheral, std::span<uint8_t> bytes) {
    StatusBlock status{};
    switch (peripheral) {
        case Peripheral::Keyboard:
            status.batteryPercent = 92;
            status.powerState = 2;
            break;
        case Peripheral::Mouse:
            status.batteryPercent = 76;
            status.powerState = 2;
            break;
        case Peripheral::Pad:
        case Peripheral::Headset:
            status.batteryPercent = 100;
            status.powerState = 0;
            break;
    }
    std::memcpy(bytes.data(), &status, sizeof status);
}

std::string ToHex(std::span<const uint8_t> bytes) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string text;
    text.reserve(bytes.size() * 2);
    for (uint8_t byte : bytes) {
        text += kDigits[byte >> 4];
        text += kDigits[byte & 0x0F];
    }
    return text;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::optional<std::vector<uint8_t>> FromHex(const std::string& text) {
    if (text.size() % 2 != 0) return std::nullopt;
    std::vector<uint8_t> bytes(text.size() / 2);
    for (size_t i = 0; i < bytes.size(); ++i) {
        const int high = HexDigit(text[2 * i]);
        const int low = HexDigit(text[2 * i + 1]);
        if (high < 0 || low < 0) return std::nullopt;
        bytes[i] = static_cast<uint8_t>(high << 4 | low);
    }
    return bytes;
}

}  // namespace

DeviceMemory DeviceMemory::Factory(Peripheral peripheral) {
    DeviceMemory memory;
    const RegionSizes& sizes = kSizes[static_cast<int>(peripheral)];
    for (size_t i = 0; i < kRegionCount; ++i) memory.m_regions[i].assign(sizes.sizes[i], 0);

    FillInfo(peripheral, memory.Bytes(Region::Info));
    FillStatus(peripheral, memory.Bytes(Region::Status));
    if (peripheral == Peripheral::Mouse) {
        FillMousePages(memory.Bytes(Region::Settings));
        FillKeyTable(MouseSlotCodes(), memory.Bytes(Region::KeyTable));
    } else {
        FillLightingSlots(memory.Bytes(Region::Settings));
    }
    if (peripheral == Peripheral::Keyboard) {
        FillKeyTable(KeyboardSlotCodes(), memory.Bytes(Region::KeyTable));
        std::span<uint8_t> leds = memory.Bytes(Region::KeyLeds);
        std::fill(leds.begin(), leds.end(), protocol::kNoLed);  // slots without a key
        std::ranges::copy(KeyboardSlotLeds(), leds.begin());
    }
    return memory;
}

std::array<uint8_t, 3> DeviceMemory::HeadsetLed(int bank, int led) const {
    std::span<const uint8_t> registers = Bytes(Region::LedRegisters);
    if (registers.empty() || bank < 0 || bank > 1 || led < 0 || led >= kHeadsetLeds) return {};
    const size_t base = static_cast<size_t>(bank) * 3 * kHeadsetLeds + static_cast<size_t>(led);
    return {registers[base], registers[base + kHeadsetLeds], registers[base + 2 * kHeadsetLeds]};
}

Json::Value DeviceMemory::ToJson() const {
    Json::Value value(Json::objectValue);
    for (size_t i = 0; i < kRegionCount; ++i) value[kRegionNames[i]] = ToHex(m_regions[i]);
    value["HostLightControl"] = m_hostLightControl ? 1 : 0;
    return value;
}

bool DeviceMemory::FromJson(const Json::Value& value, std::string& error) {
    if (!value.isObject()) {
        error = "not an object";
        return false;
    }
    std::array<std::vector<uint8_t>, kRegionCount> regions;
    for (size_t i = 0; i < kRegionCount; ++i) {
        const Json::Value& field = value[kRegionNames[i]];
        std::optional<std::vector<uint8_t>> bytes;
        if (field.isString()) bytes = FromHex(field.asString());
        if (!bytes || bytes->size() != m_regions[i].size()) {
            error = std::string(kRegionNames[i]) + ": expected " +
                    std::to_string(m_regions[i].size()) + " bytes as hexadecimal text";
            return false;
        }
        regions[i] = std::move(*bytes);
    }
    const Json::Value& host = value["HostLightControl"];
    if (!host.isNull() && !host.isIntegral()) {
        error = "HostLightControl: expected 0 or 1";
        return false;
    }
    m_regions = std::move(regions);
    m_hostLightControl = host.isIntegral() && host.asInt() != 0;
    return true;
}

}  // namespace vestra::emulator
