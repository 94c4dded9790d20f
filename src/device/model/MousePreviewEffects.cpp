#include "device/model/MousePreviewEffects.h"

#include <algorithm>
#include <array>

#include "device/model/SharedEffects.h"

namespace vestra {
namespace {

constexpr std::array<int, kLevels> kFramePeriods = {28, 23, 18, 13, 7};
constexpr uint8_t kWaveHueSpacing = 24;  // hue distance between neighbouring LEDs
constexpr uint8_t kReactiveFadeRule = 6;
constexpr uint8_t kTrailPeriod = 32;  // frames of one pass of the trail over the LEDs

Rgb EffectColour(const LightInfoRecord& light, uint8_t hue) {
    return light.multiColor ? HueColour(hue) : FixedColour(light);
}

}  // namespace

int MousePreviewEffects::FramePeriod(uint8_t speed) {
    return kFramePeriods[LevelIndex(speed)];
}

void MousePreviewEffects::Reset() {
    m_state = {};
    m_intensity = 0;
    m_step = 0;
    m_stepFrames = 0;
}

void MousePreviewEffects::SetCustomSteps(std::vector<LightStep> steps) {
    m_steps = std::move(steps);
    m_step = 0;
    m_stepFrames = 0;
}

void MousePreviewEffects::RunFrame(const LightInfoRecord& light, uint64_t nowMs,
                                   std::span<KeyColour> leds) {
    const uint8_t level = LevelBrightness(light.light);
    switch (light.selectItem) {
        case kMouseSpectrum:
            RunSharedEffect(SharedEffect::Spectrum, light, m_state, nowMs, leds);
            break;
        case kMouseBreathing:
            RunSharedEffect(SharedEffect::Breathing, light, m_state, nowMs, leds);
            break;
        case kMouseStatic:
            RunSharedEffect(SharedEffect::Static, light, m_state, nowMs, leds);
            break;
        case kMouseWave:
            m_state.phase = StepPhase(light.fx, kHueCount, m_state.phase, 1);
            for (size_t i = 0; i < leds.size(); ++i) {
                const auto hue =
                    static_cast<uint8_t>((m_state.phase + i * kWaveHueSpacing) % kHueCount);
                leds[i] = MakeKeyColour(EffectColour(light, hue), level);
            }
            break;
        case kMouseBlink:
            RunSharedEffect(SharedEffect::Blink, light, m_state, nowMs, leds);
            break;
        case kMouseBreathingCycle:
            RunSharedEffect(SharedEffect::BasicBreathing, light, m_state, nowMs, leds);
            break;
        case kMouseReactive:
            if (m_reactionPending.exchange(false)) {
                m_intensity = 255;
            } else {
                m_intensity = FadeIntensity(kReactiveFadeRule, m_intensity);
            }
            std::fill(leds.begin(), leds.end(),
                      MakeKeyColour(FixedColour(light), ScaleBrightness(level, m_intensity)));
            break;
        case kMouseTrail: {
            // One LED leads; the ones it passed fade behind it.
            m_state.phase = StepPhase(light.fx, kTrailPeriod, m_state.phase, 1);
            const size_t lead = leds.empty() ? 0 : m_state.phase * leds.size() / kTrailPeriod;
            for (size_t i = 0; i < leds.size(); ++i) {
                const uint8_t old = leds[i].brightness;
                leds[i] = i == lead ? MakeKeyColour(EffectColour(light, m_state.phase * 6), level)
                                    : KeyColour{leds[i].red, leds[i].green, leds[i].blue,
                                                FadeIntensity(kReactiveFadeRule, old)};
            }
            break;
        }
        case kMouseBlinkCycle:
            RunSharedEffect(SharedEffect::BasicBlink, light, m_state, nowMs, leds);
            break;
        case kMouseOff:
            RunSharedEffect(SharedEffect::Off, light, m_state, nowMs, leds);
            break;
        default:
            RunCustom(leds);
            break;
    }
}

// Each step shows its colour at its brightness level for "Time" frames (at least one), then
// the next step follows; the list repeats.
void MousePreviewEffects::RunCustom(std::span<KeyColour> leds) {
    if (m_steps.empty()) {
        std::fill(leds.begin(), leds.end(), KeyColour{});
        return;
    }
    if (m_step >= m_steps.size()) m_step = 0;
    const LightStep& step = m_steps[m_step];
    std::fill(leds.begin(), leds.end(),
              MakeKeyColour({step.red, step.green, step.blue}, LevelBrightness(step.brightness)));
    if (++m_stepFrames >= std::max(step.time, 1)) {
        m_stepFrames = 0;
        m_step = (m_step + 1) % m_steps.size();
    }
}

}  // namespace vestra
