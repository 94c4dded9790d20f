// The running state of the host-computed effects: shared phase and blink state, keyboard buffers.
#pragma once

#include <array>
#include <cstdint>

#include "device/model/LightTables.h"

namespace vestra {

// What every device's effects keep between steps.
struct EffectState {
    uint8_t phase = 0;
    uint8_t colourIndex = 0;
    bool blinkOn = false;
    uint64_t lastBlinkMs = 0;  // clock time of the last blink toggle
};

// Reactive rows: one byte per grid column, bit r set when a light travels through grid row r.
enum ReactiveDirection : uint8_t { kTowardsLeft, kTowardsRight, kTowardsTop, kTowardsBottom };
inline constexpr size_t kReactiveDirections = 4;

// A key event reported by the keyboard, for the reactive modes.
enum class KeyAction : uint8_t { Press, Release };
// Bits of the hit record: what happened to a key since the last reactive step.
inline constexpr uint8_t kHitPressBit = 1;
inline constexpr uint8_t kHitReleaseBit = 2;

// The keyboard's per-key effect buffers; reset together when the mode changes.
struct KeyboardEffectBuffers {
    EffectState shared;
    std::array<uint8_t, kKeyPositions> intensity{};
    std::array<uint8_t, kKeyPositions> colourIndex{};  // a hue per key (per ripple cell in mode 22)
    std::array<uint8_t, kKeyPositions> huePhase{};  // a curve phase per key (per ring in mode 22)
    std::array<std::array<uint8_t, kGridColumns>, kReactiveDirections> reactiveRows{};
    uint8_t reactiveStep = 0;
    std::array<uint8_t, kKeyPositions> hits{};  // kHitPressBit | kHitReleaseBit
};

}  // namespace vestra
