// The mouse's preview effects: one frame of the current effect over the LEDs of the mouse
// picture. Nothing is sent to the mouse; it runs its effects itself.
#pragma once

#include <atomic>
#include <cstdint>
#include <span>
#include <vector>

#include "device/model/EffectState.h"
#include "device/model/KeyColourBuffer.h"
#include "profile/ProfileRecords.h"

namespace vestra {

// Effect indexes of the mouse's effect list; 10 and above play the custom steps.
enum MouseEffect : uint8_t {
    kMouseSpectrum = 0,
    kMouseBreathing = 1,
    kMouseStatic = 2,
    kMouseWave = 3,
    kMouseBlink = 4,
    kMouseBreathingCycle = 5,
    kMouseReactive = 6,
    kMouseTrail = 7,
    kMouseBlinkCycle = 8,
    kMouseOff = 9,
    kMouseFirstCustom = 10,
};

class MousePreviewEffects {
public:
    // Counted steps (2 ms each) between two frames, by speed 0-4, for every effect.
    static int FramePeriod(uint8_t speed);

    // Starts the effects over (a new effect or new custom steps).
    void Reset();
    void SetCustomSteps(std::vector<LightStep> steps);
    // The mouse reported a button press: the reactive effect lights up again. Any thread.
    void RestartReaction() { m_reactionPending = true; }

    // One frame of light's effect at clock time nowMs into leds.
    void RunFrame(const LightInfoRecord& light, uint64_t nowMs, std::span<KeyColour> leds);

private:
    void RunCustom(std::span<KeyColour> leds);

    EffectState m_state;
    uint8_t m_intensity = 0;                     // reactive: what is left of the last press
    std::atomic<bool> m_reactionPending{false};  // set by the listener thread
    std::vector<LightStep> m_steps;
    size_t m_step = 0;
    int m_stepFrames = 0;  // frames the current custom step has been shown
};

}  // namespace vestra
