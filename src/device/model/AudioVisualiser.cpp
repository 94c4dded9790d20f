#include "device/model/AudioVisualiser.h"

#include <algorithm>

#include "device/model/SharedEffects.h"

namespace vestra {

namespace {

constexpr uint8_t kFadeRuleAudio = 29;
constexpr int kMaxLevel = 2000;  // the companion's mean sample change at full scale
constexpr int kLoudnessScale = 600;
constexpr uint8_t kFull = 255;
constexpr uint8_t kCentreColumn = 11;
constexpr uint8_t kHuePerColumn = 7;

// How loud a level is, 0-600. The companion's levels convert as 600 - level × 600 ÷ 2000, where
// 600 means silence; out-of-range values are clamped.
int Loudness(int32_t level) {
    int converted =
        kLoudnessScale - std::clamp<int32_t>(level, 0, kMaxLevel) * kLoudnessScale / kMaxLevel;
    return kLoudnessScale - converted;
}

// Loudness as a count of 0..cells.
int Cells(int32_t level, int cells) {
    return Loudness(level) * cells / kLoudnessScale;
}

uint8_t PulseIntensity(int32_t level) {
    return static_cast<uint8_t>(Loudness(level) * kFull / kLoudnessScale);
}

void Light(std::array<uint8_t, kKeyPositions>& intensity, uint8_t key, uint8_t value) {
    if (key < kKeyPositions) intensity[key] = std::max(intensity[key], value);
}

void LightColumnRows(std::array<uint8_t, kKeyPositions>& intensity, size_t column, int firstRow,
                     int lastRow) {
    for (int row = std::max(firstRow, 0); row <= std::min<int>(lastRow, kGridRows - 1); ++row) {
        Light(intensity, kKeyGrid[column][row], kFull);
    }
}

uint8_t Mix(uint8_t from, uint8_t to, uint8_t amount) {
    return static_cast<uint8_t>(from + (to - from) * amount / kFull);
}

}  // namespace

void AudioVisualiser::FeedLevels(std::span<const int32_t> levels) {
    std::copy_n(levels.begin(), std::min(levels.size(), m_levels.size()), m_levels.begin());
}

void AudioVisualiser::FeedBands(std::span<const int32_t> bands) {
    std::copy_n(bands.begin(), std::min(bands.size(), m_bands.size()), m_bands.begin());
}

void AudioVisualiser::Step(const LightInfoRecord& light,
                           std::array<uint8_t, kKeyPositions>& intensity,
                           std::span<KeyColour> keys) const {
    for (uint8_t& value : intensity) value = FadeIntensity(kFadeRuleAudio, value);

    const int rows = kGridRows;
    const int columns = kGridColumns;
    auto mode = m_audio.audioMode < kAudioModeCount ? static_cast<AudioMode>(m_audio.audioMode)
                                                    : AudioMode::LevelBarsRising;
    switch (mode) {
        case AudioMode::LevelBarsRising:
        case AudioMode::LevelBarsFalling:
        case AudioMode::LevelBarsCentred:
            for (int column = 0; column < columns; ++column) {
                int height = Cells(m_levels[column], rows);
                if (height == 0) continue;
                if (mode == AudioMode::LevelBarsRising) {
                    LightColumnRows(intensity, column, rows - height, rows - 1);
                } else if (mode == AudioMode::LevelBarsFalling) {
                    LightColumnRows(intensity, column, 0, height - 1);
                } else {
                    int half = (height + 1) / 2;
                    LightColumnRows(intensity, column, rows / 2 - half, rows / 2 - 1 + half);
                }
            }
            break;
        case AudioMode::BandBars:
        case AudioMode::BandBarsCentred:
            for (int row = 0; row < rows; ++row) {
                int width = Cells(m_bands[row], columns);
                if (width == 0) continue;
                int first = 0;
                int last = width - 1;
                if (mode == AudioMode::BandBarsCentred) {
                    first = kCentreColumn - width / 2;
                    last = kCentreColumn + width / 2;
                }
                for (int column = std::max(first, 0); column <= std::min(last, columns - 1);
                     ++column) {
                    Light(intensity, kKeyGrid[column][row], kFull);
                }
            }
            break;
        case AudioMode::LevelPulse: {
            int64_t sum = 0;
            for (int32_t level : m_levels) sum += std::clamp<int32_t>(level, 0, kMaxLevel);
            uint8_t value = PulseIntensity(static_cast<int32_t>(sum / kLevelCount));
            for (size_t i = 0; i < kKeysOnGrid; ++i) Light(intensity, kKeyOrder[i], value);
            break;
        }
        case AudioMode::BandRings:
            for (size_t ring = 0; ring < kRippleRings; ++ring) {
                // Ring 22 is the centre and takes band 0.
                size_t band = (kRippleRings - 1 - ring) * kBandCount / kRippleRings;
                uint8_t value = PulseIntensity(m_bands[band]);
                for (uint8_t key : kRippleGrid[ring]) Light(intensity, key, value);
            }
            break;
    }

    const uint8_t level = LevelBrightness(light.light);
    const Rgb back{m_audio.backRed, m_audio.backGreen, m_audio.backBlue};
    const Rgb fore{m_audio.foreRed, m_audio.foreGreen, m_audio.foreBlue};
    size_t count = std::min(keys.size(), kKeyPositions);
    for (size_t key = 0; key < count; ++key) {
        Rgb top = fore;
        if (m_audio.sevenColors) {
            uint8_t column = kKeyColumn[key] == kNoKey ? 0 : kKeyColumn[key];
            top = HueColour(static_cast<uint8_t>(column * kHuePerColumn));
        }
        uint8_t amount = intensity[key];
        keys[key] = {Mix(back.red, top.red, amount), Mix(back.green, top.green, amount),
                     Mix(back.blue, top.blue, amount), level};
    }
}

}  // namespace vestra
