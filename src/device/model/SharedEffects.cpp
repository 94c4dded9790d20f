#include "device/model/SharedEffects.h"

#include <algorithm>

namespace vestra {

namespace {

constexpr uint8_t kBreathingPeriod = 128;
constexpr uint8_t kBreathingHueStep = 16;
constexpr uint8_t kBreathingLastHue = 192;  // the wheel copy makes 192 a valid (red) entry
constexpr uint8_t kBlinkHueStep = 16;
constexpr uint8_t kLastBasicColour = 3;
constexpr uint8_t kFadeRuleAudio = 29;

// An intensity of at least `from` loses `loss` per step; the first matching band applies.
struct FadeBand {
    uint8_t from;
    uint8_t loss;
};
constexpr FadeBand kFadeRuleZero[] = {{128, 40}, {64, 30}, {32, 15}, {17, 8}, {1, 1}};
constexpr FadeBand kFadeRuleOther[] = {{128, 40}, {64, 30}, {32, 10}, {17, 8}, {1, 1}};
constexpr FadeBand kFadeRuleAudioBands[] = {{192, 45}, {128, 30}, {64, 20}, {32, 10}, {1, 5}};

void Fill(std::span<KeyColour> keys, KeyColour colour) {
    std::fill(keys.begin(), keys.end(), colour);
}

Rgb BasicColour(uint8_t index) {
    return kBasicColours[index <= kLastBasicColour ? index : 0];
}

uint8_t NextBasicIndex(uint8_t index) {
    return index >= kLastBasicColour ? 0 : index + 1;
}

// Toggles the blink state when its half-period has run out; true when it did.
bool BlinkToggled(const LightInfoRecord& light, EffectState& state, uint64_t nowMs) {
    if (nowMs < state.lastBlinkMs || nowMs - state.lastBlinkMs < BlinkIntervalMs(light.speed)) {
        return false;
    }
    state.blinkOn = !state.blinkOn;
    state.lastBlinkMs = nowMs;
    return true;
}

}  // namespace

uint8_t StepPhase(uint8_t direction, uint8_t period, uint8_t phase, uint8_t step) {
    if (direction != 0) {
        uint8_t next = static_cast<uint8_t>(phase + step);
        return next < period ? next : 0;
    }
    uint8_t next = static_cast<uint8_t>(phase - step);
    return next < period ? next : static_cast<uint8_t>(period - step);
}

uint8_t FadeIntensity(uint8_t rule, uint8_t intensity) {
    const auto& bands = rule == 0                ? kFadeRuleZero
                        : rule == kFadeRuleAudio ? kFadeRuleAudioBands
                                                 : kFadeRuleOther;
    for (const FadeBand& band : bands) {
        if (intensity >= band.from) return static_cast<uint8_t>(std::max(0, intensity - band.loss));
    }
    return 0;
}

void RunSharedEffect(SharedEffect effect, const LightInfoRecord& light, EffectState& state,
                     uint64_t nowMs, std::span<KeyColour> keys) {
    const uint8_t level = LevelBrightness(light.light);
    switch (effect) {
        case SharedEffect::Breathing:
        case SharedEffect::BasicBreathing: {
            state.phase = StepPhase(light.fx, kBreathingPeriod, state.phase, 1);
            const bool basic = effect == SharedEffect::BasicBreathing;
            if (state.phase == 0) {
                if (basic) {
                    state.colourIndex = NextBasicIndex(state.colourIndex);
                } else {
                    state.colourIndex += kBreathingHueStep;
                    if (state.colourIndex > kBreathingLastHue) state.colourIndex = 0;
                }
            }
            Rgb colour = basic              ? BasicColour(state.colourIndex)
                         : light.multiColor ? HueColour(state.colourIndex)
                                            : FixedColour(light);
            Fill(keys, MakeKeyColour(colour, ScaleBrightness(level, kBreathingCurve[state.phase])));
            break;
        }
        case SharedEffect::Static:
            Fill(keys, MakeKeyColour(FixedColour(light), level));
            break;
        case SharedEffect::Spectrum:
            state.phase = StepPhase(light.fx, kHueCount, state.phase, 1);
            Fill(keys, MakeKeyColour(HueColour(state.phase), level));
            break;
        case SharedEffect::Blink:
            if (BlinkToggled(light, state, nowMs)) {
                state.phase += kBlinkHueStep;
                if (state.phase >= kHueCount) state.phase = 0;
            }
            Fill(keys, state.blinkOn ? MakeKeyColour(light.multiColor ? HueColour(state.phase)
                                                                      : FixedColour(light),
                                                     level)
                                     : KeyColour{});
            break;
        case SharedEffect::BasicBlink:
            if (BlinkToggled(light, state, nowMs)) {
                state.colourIndex = NextBasicIndex(state.colourIndex);
            }
            Fill(keys, state.blinkOn ? MakeKeyColour(BasicColour(state.colourIndex), level)
                                     : KeyColour{});
            break;
        case SharedEffect::Off:
            Fill(keys, KeyColour{});
            break;
    }
}

}  // namespace vestra
