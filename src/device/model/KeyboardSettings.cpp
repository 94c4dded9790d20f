#include "device/model/KeyboardSettings.h"

namespace vestra {
namespace {

int OptionOf(uint16_t value) {
    return value < kSystemOptionCount ? value : 0;
}

}  // namespace

DecodedKeyboardSettings DecodeKeyboardSettings(const protocol::KeyboardSettingsRecord& record,
                                               const ModeTable& modes) {
    DecodedKeyboardSettings decoded;
    LightInfoRecord& light = decoded.light;
    light.selectItem = modes.IndexOfCode(record.modeCode);
    light.light = record.brightness;
    light.speed = record.Speed();
    light.fx = record.direction;
    light.multiColor = record.multiColor;
    light.red = record.red;
    light.green = record.green;
    light.blue = record.blue;
    light.zzccLedMode = record.ledMode;
    light.customGroup = record.customGroup;
    decoded.wFlag = record.wFlag;
    decoded.key6Flag = record.key6Flag;
    decoded.winFlag = record.winFlag;
    return decoded;
}

protocol::KeyboardSettingsRecord EncodeKeyboardSettings(const LightInfoRecord& light,
                                                        const KeyboardSystemSettings& system,
                                                        uint8_t activeSlot,
                                                        const ModeTable& modes) {
    protocol::KeyboardSettingsRecord record{};
    record.slot = activeSlot;
    record.modeCode = modes.CodeOfIndex(light.selectItem);
    record.brightness = light.light;
    record.SetSpeed(light.speed);
    record.direction = light.fx;
    record.multiColor = light.multiColor;
    record.red = light.red;
    record.green = light.green;
    record.blue = light.blue;
    record.ledMode = light.zzccLedMode;
    record.wFlag = static_cast<uint8_t>(system.wFlag);
    record.key6Flag = static_cast<uint8_t>(system.key6Flag);
    record.winFlag = static_cast<uint8_t>(system.winFlag);
    record.pollingRate = static_cast<uint8_t>(system.pollingRate);
    record.customGroup = light.customGroup;
    return record;
}

int PollingRateOption(uint16_t pollingRate) {
    return OptionOf(pollingRate);
}

int RepeatDelayOption(uint16_t repeatDelay) {
    return OptionOf(repeatDelay);
}

int RepeatDelayMs(uint16_t repeatDelay) {
    return 250 * (RepeatDelayOption(repeatDelay) + 1);
}

}  // namespace vestra
