// The mouse's settings block in profile terms: what a write is built from and what a read
// gives back to the profile.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "device/model/ModeTable.h"
#include "device/protocol/MouseSettingsBlock.h"
#include "profile/ProfileRecords.h"

namespace vestra {

// Everything of the profile that goes into a settings write.
struct MouseSettingsSource {
    LightInfoRecord light{};
    uint16_t pollingIndex = 0;
    int selectedStage = 0;
    uint8_t sensorHeight = 0;
    std::vector<DpiStage> stages;  // up to four; missing stages are sent as zeros
    std::vector<CorrectPreset> corrections;
};

// Bytes written besides the profile's: byte 0, byte 50 and the primary screen's size.
struct MouseSettingsFrame {
    uint8_t byte0 = 0;
    uint8_t byte50 = 1;
    uint16_t screenWidth = 0;
    uint16_t screenHeight = 0;
};

// Effect indexes of 10 and more (the custom effects) are sent as index 0.
inline constexpr uint8_t kMouseDeviceEffects = 10;

protocol::MouseSettingsBlock EncodeMouseSettings(const MouseSettingsSource& source,
                                                 const MouseSettingsFrame& frame,
                                                 const ModeTable& modes);

// What a read gives back: the light fields (effect index through the mode table, a code no
// entry has kept as it is; the direction is not read back), polling index, selected stage and
// sensor height. The stages are not read back.
struct DecodedMouseSettings {
    LightInfoRecord light{};
    uint8_t pollingIndex = 0;
    uint8_t selectedStage = 0;
    uint8_t sensorHeight = 0;
};

DecodedMouseSettings DecodeMouseSettings(const protocol::MouseSettingsBlock& block,
                                         const ModeTable& modes);

}  // namespace vestra
