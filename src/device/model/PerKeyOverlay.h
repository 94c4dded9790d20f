// The per-light effects of a profile ("LightList"), laid over whatever the device's effect drew.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "device/model/KeyColourBuffer.h"
#include "device/model/LightTables.h"
#include "profile/ProfileRecords.h"

namespace vestra {

// Effect types of a per-light entry ("LEDREGMode").
enum class PerKeyEffect : uint8_t { Breathing = 0, Static = 1, Blink = 2, Spectrum = 3, Off = 4 };

// Not thread-safe: the device guards every call with its effect lock.
class PerKeyOverlay {
public:
    // The overlay's animations advance once per frame.
    static constexpr uint64_t kFrameMs = kLightFrameMs;
    static constexpr uint64_t kNever = UINT64_MAX;

    // Takes one entry per light and restarts every light's animation.
    void Load(std::span<const LightListEntry> entries, uint64_t nowMs);
    void Clear() { Load({}, 0); }

    // True when some entry overrides its light.
    bool IsActive() const { return m_active; }
    // When the overlay next changes by itself; kNever when nothing in it animates.
    uint64_t NextFrameMs() const;

    // Advances the animations to nowMs and writes every overridden light.
    void Apply(uint64_t nowMs, std::span<KeyColour> keys);

private:
    struct Animation {
        uint8_t phase = 0;
        uint8_t hueIndex = 0;
        uint8_t passes = 0;  // frames since the spectrum's last hue change
        bool blinkOn = false;
        uint64_t lastBlinkMs = 0;
    };

    static bool Overrides(const LightListEntry& entry);
    static void Advance(const LightListEntry& entry, Animation& animation, uint64_t frames,
                        uint64_t nowMs);
    static KeyColour Colour(const LightListEntry& entry, const Animation& animation);

    std::vector<LightListEntry> m_entries;
    std::vector<Animation> m_animations;
    uint64_t m_lastFrameMs = 0;
    bool m_active = false;
    bool m_animated = false;
};

}  // namespace vestra
