// The keyboard's audio lighting (mode 29): bars and pulses driven by the audio companion's frames.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "device/model/KeyColourBuffer.h"
#include "device/model/LightTables.h"
#include "profile/ProfileRecords.h"

namespace vestra {

// The seven visualisations, by the "AudioMode" of the audio light settings.
enum class AudioMode : uint8_t {
    LevelBarsRising,   // one level per grid column, bars growing up from the bottom row
    LevelBarsFalling,  // the same bars hanging from the top row
    LevelBarsCentred,  // the same bars growing out from the middle rows
    BandBars,          // one band per grid row, bars growing from the left
    BandBarsCentred,   // the same bars growing out from the centre column
    LevelPulse,        // the whole keyboard pulses with the mean level
    BandRings,         // rings around the centre pulse with the bands, low bands inside
};
inline constexpr uint8_t kAudioModeCount = 7;

class AudioVisualiser {
public:
    static constexpr size_t kLevelCount = 25;
    static constexpr size_t kBandCount = 6;

    void SetAudioLight(const AudioLightRecord& audio) { m_audio = audio; }
    // Takes the first 25 levels (or as many as come); the rest keep their values.
    void FeedLevels(std::span<const int32_t> levels);
    // Takes the first 6 band values (or as many as come).
    void FeedBands(std::span<const int32_t> bands);

    // One step: keys fade (rule 29), the current levels light their bars, and every key mixes
    // the background colour towards the foreground colour by its intensity.
    void Step(const LightInfoRecord& light, std::array<uint8_t, kKeyPositions>& intensity,
              std::span<KeyColour> keys) const;

private:
    AudioLightRecord m_audio{};
    std::array<int32_t, kLevelCount> m_levels{};
    std::array<int32_t, kBandCount> m_bands{};
};

}  // namespace vestra
