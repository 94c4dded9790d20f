// The lighting generators of the mouse pad (also used for the headset's LEDs): the wave, the
// two marquees, the custom step player, and the pass counting that paces them.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "device/model/EffectState.h"
#include "device/model/KeyColourBuffer.h"
#include "device/model/SharedEffects.h"
#include "profile/ProfileRecords.h"

namespace vestra {

// Mode indexes of the pad's lighting.
enum PadMode : uint8_t {
    kPadWave = 0,
    kPadSpectrum = 1,
    kPadBreathing = 2,
    kPadStatic = 3,
    kPadBlink = 4,
    kPadCustom = 5,  // so are 9 and above
    kPadMarquee = 6,
    kPadMirroredMarquee = 7,
    kPadOff = 8,
};

// Passes of the lighting thread between two steps, per speed 0-4.
inline constexpr std::array<uint8_t, 5> kPadStepPasses = {28, 23, 18, 13, 7};
// The same for a custom step of mode 5 (the running spectrum).
inline constexpr std::array<uint8_t, 5> kPadSpectrumStepPasses = {20, 12, 8, 5, 2};
// Up to 16 lights: the marquee row has one bit per light.
inline constexpr size_t kMaxPadLights = 16;

bool IsPadCustomMode(uint8_t mode);

// Not thread-safe: the device guards it with its effect lock.
class PadEffects {
public:
    // Replaces the custom step list and starts it again at step 0 at clock time nowMs.
    void SetSteps(std::vector<LightStep> steps, uint64_t nowMs);
    size_t CurrentStep() const { return m_step; }

    // One pass of the lighting thread: counts it and runs the generator of light.selectItem
    // when it is due (the custom step player every pass). True when the lights changed.
    bool Pass(const LightInfoRecord& light, uint64_t nowMs, std::span<KeyColour> lights);

    // The generators, one step each.
    void Wave(const LightInfoRecord& light, std::span<KeyColour> lights);
    // Mirrored: light 0 alone, then light k paired with light n - k.
    enum class Marquee { LightByLight, Mirrored };
    void RunMarquee(Marquee kind, const LightInfoRecord& light, std::span<KeyColour> lights);
    // One pass of the custom step player. True when it drew.
    bool PlayStep(uint64_t nowMs, std::span<KeyColour> lights);

private:
    struct WaveSteps {
        uint8_t hue;    // per light, around the 192 hues
        uint8_t curve;  // per light, around the 96 half-curve entries
    };
    static void DrawWave(EffectState& state, const LightInfoRecord& light, WaveSteps steps,
                         std::span<KeyColour> lights);
    void ResetMode(uint8_t mode);

    uint8_t m_mode = 0xFF;
    uint32_t m_passes = 0;
    EffectState m_state;
    std::array<uint8_t, kMaxPadLights> m_intensity{};
    uint16_t m_marqueeRow = 1;
    bool m_marqueeShift = false;
    std::vector<LightStep> m_steps;
    size_t m_step = 0;
    uint64_t m_stepStartMs = 0;
    uint32_t m_stepPasses = 0;
    EffectState m_stepState;
};

}  // namespace vestra
