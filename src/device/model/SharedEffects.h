// The effect generators every lighted device shares, with their phase and fade arithmetic.
#pragma once

#include <cstdint>
#include <span>

#include "device/model/EffectState.h"
#include "device/model/KeyColourBuffer.h"
#include "device/model/LightTables.h"
#include "profile/ProfileRecords.h"

namespace vestra {

// Moves a phase by step within [0, period): forwards (direction non-zero) a result at or past
// the period restarts at 0; backwards a result that wraps below 0 restarts at period - step.
uint8_t StepPhase(uint8_t direction, uint8_t period, uint8_t phase, uint8_t step);

// One step of a fading key: the loss depends on how bright the key still is. Rule 0 and rule
// 29 (the audio modes) have their own bands; every other rule is the same.
uint8_t FadeIntensity(uint8_t rule, uint8_t intensity);

// brightness × value ÷ 256, the way every curve and intensity scales a brightness level.
inline uint8_t ScaleBrightness(uint8_t brightness, uint8_t value) {
    return static_cast<uint8_t>(brightness * value / 256);
}

inline KeyColour MakeKeyColour(Rgb colour, uint8_t brightness) {
    return {colour.red, colour.green, colour.blue, brightness};
}

inline Rgb FixedColour(const LightInfoRecord& light) {
    return {light.red, light.green, light.blue};
}

enum class SharedEffect {
    Breathing,       // fixed colour or hue wheel, breathing curve
    BasicBreathing,  // breathing through the four basic colours
    Static,          // fixed colour at the brightness level
    Spectrum,        // the whole wheel, one hue at a time
    Blink,           // on and off every blink interval, hue advancing per toggle
    BasicBlink,      // blink through the four basic colours
    Off,
};

// One step of a shared effect over every light of keys.
void RunSharedEffect(SharedEffect effect, const LightInfoRecord& light, EffectState& state,
                     uint64_t nowMs, std::span<KeyColour> keys);

}  // namespace vestra
