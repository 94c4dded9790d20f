// The keyboard's settings record in profile terms: decoding a read, encoding a write, and the
// rules by which the system-setting controls show the stored values.
#pragma once

#include <cstdint>

#include "device/model/ModeTable.h"
#include "device/protocol/KeyboardSettingsRecord.h"
#include "profile/ProfileRecords.h"

namespace vestra {

// What a settings read gives the profile: the light fields and the three keyboard flags.
// The polling rate is written but never read back, so a read keeps the profile's value.
struct DecodedKeyboardSettings {
    LightInfoRecord light{};  // the fields the record carries; the others zero
    uint16_t wFlag = 0;
    uint16_t key6Flag = 0;
    uint16_t winFlag = 0;
};

DecodedKeyboardSettings DecodeKeyboardSettings(const protocol::KeyboardSettingsRecord& record,
                                               const ModeTable& modes);

// The record of a write: byte 0 the active profile slot, the mode index through the mode table,
// the speed as 4 - speed, and the low bytes of the system settings.
protocol::KeyboardSettingsRecord EncodeKeyboardSettings(const LightInfoRecord& light,
                                                        const KeyboardSystemSettings& system,
                                                        uint8_t activeSlot, const ModeTable& modes);

// The system-setting controls have four options each: polling rate and repeat delay values
// outside 0-3 show option 0.
inline constexpr int kSystemOptionCount = 4;
int PollingRateOption(uint16_t pollingRate);
int RepeatDelayOption(uint16_t repeatDelay);
// The repeat delay as the label shows it: 250 ms per step, starting at 250.
int RepeatDelayMs(uint16_t repeatDelay);

}  // namespace vestra
