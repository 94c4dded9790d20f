// The keyboard's host-computed lighting: a generator per lighting mode over 170 key positions.
#pragma once

#include <cstdint>
#include <random>
#include <span>

#include "device/model/AudioVisualiser.h"
#include "device/model/EffectState.h"
#include "device/model/KeyColourBuffer.h"
#include "device/model/LightTables.h"
#include "profile/ProfileRecords.h"

namespace vestra {

// Keyboard lighting modes (the mode index, "SelectItem"). 0, 19 and 31 and above have no
// generator.
enum KeyboardLightMode : uint8_t {
    kModeHorizontalWave = 1,
    kModeColumnWave = 2,
    kModeKeyOrderSweep = 3,
    kModeSpectrum = 4,
    kModeBreathing = 5,
    kModeStatic = 6,
    kModeReactiveFade = 7,
    kModeReactiveHueSpread = 8,
    kModeReactiveSpreadHue = 9,
    kModeSparkle = 10,
    kModeHueScroll = 11,
    kModeVerticalWave = 12,
    kModeReactivePulse = 13,
    kModeReactiveMarquee = 14,
    kModeTwinkle = 15,
    kModeReactiveSpread = 16,
    kModePresetStatic = 17,
    kModeDiagonalWave = 18,
    kModeCustomColours = 20,
    kModeTrail = 21,
    kModeRipple = 22,
    kModeBlink = 23,
    kModeRain = 24,
    kModeReactiveRelease = 25,
    kModeBasicBreathing = 26,
    kModeBasicBlink = 27,
    kModeOff = 28,
    kModeAudio = 29,
    kModeExternalColour = 30,
};

// Not thread-safe: the device guards every call with its effect lock.
class KeyboardEffects {
public:
    // randomStart starts the random source, so that tests can repeat the random effects.
    explicit KeyboardEffects(uint32_t randomStart = std::random_device{}());

    static bool HasGenerator(uint8_t mode);
    // Clock ticks from one step of the mode to the next at the speed; 0 when the mode has no
    // generator.
    static uint32_t StepInterval(uint8_t mode, uint8_t speed);

    // Clears the effect buffers and runs the entry action of the new mode. Mode 20's custom
    // colours live in the profile: the device loads them into the key colours itself.
    void SelectMode(uint8_t mode);
    void ResetBuffers() { m_buffers = {}; }

    // One step of the mode of light. keys holds one entry per key position.
    void Step(const LightInfoRecord& light, uint64_t nowMs, std::span<KeyColour> keys);

    // Records a key event; the next step of a reactive mode takes it.
    void OnKeyHit(uint8_t position, KeyAction action);

    void SetAudioLight(const AudioLightRecord& audio) { m_audio.SetAudioLight(audio); }
    void FeedAudioLevels(std::span<const int32_t> levels) { m_audio.FeedLevels(levels); }
    void FeedAudioBands(std::span<const int32_t> bands) { m_audio.FeedBands(bands); }
    // The colour that mode 30 shows.
    void SetExternalColour(Rgb colour) { m_externalColour = colour; }

private:
    template <typename KeysOfGroup>
    void Wave(const LightInfoRecord& light, size_t groups, uint8_t hueStep, uint8_t curveStep,
              KeysOfGroup keysOfGroup, std::span<KeyColour> keys);
    void ColumnWave(const LightInfoRecord& light, std::span<KeyColour> keys);
    void Breathing(const LightInfoRecord& light, std::span<KeyColour> keys);
    void Static(const LightInfoRecord& light, std::span<KeyColour> keys);
    void Reactive(uint8_t mode, const LightInfoRecord& light, std::span<KeyColour> keys);
    void TakeHits(uint8_t mode);
    void Hit(uint8_t mode, uint8_t key);
    void MoveReactiveRows();
    void StartPulse(uint8_t mode);
    void Sparkle(const LightInfoRecord& light, std::span<KeyColour> keys);
    void Twinkle(const LightInfoRecord& light, std::span<KeyColour> keys);
    void HueScroll(const LightInfoRecord& light, std::span<KeyColour> keys);
    void Trail(const LightInfoRecord& light, std::span<KeyColour> keys);
    void Ripple(const LightInfoRecord& light, std::span<KeyColour> keys);
    void Rain(const LightInfoRecord& light, std::span<KeyColour> keys);
    // Every key at its own hue (or the fixed colour), scaled by its intensity.
    void PaintByIntensity(const LightInfoRecord& light, std::span<KeyColour> keys) const;
    uint8_t RandomBelow(uint32_t bound) { return static_cast<uint8_t>(m_random() % bound); }

    KeyboardEffectBuffers m_buffers;
    AudioVisualiser m_audio;
    Rgb m_externalColour;
    std::minstd_rand m_random;
};

}  // namespace vestra
