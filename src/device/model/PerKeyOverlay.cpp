#include "device/model/PerKeyOverlay.h"

#include <algorithm>

#include "device/model/LightTables.h"
#include "device/model/SharedEffects.h"

namespace vestra {

namespace {

constexpr uint8_t kBreathingLastPhase = 127;
constexpr uint8_t kBlinkHueStep = 14;
// After a long stall (a suspended machine) the animations skip ahead instead of catching up.
constexpr uint64_t kMaxFramesPerApply = 64;

uint8_t NextHue(uint8_t hue, uint8_t step) {
    int next = hue + step;
    return static_cast<uint8_t>(next >= static_cast<int>(kHueCount) ? 0 : next);
}

}  // namespace

bool PerKeyOverlay::Overrides(const LightListEntry& entry) {
    // A static or off entry holds its light even when the entry is not marked present; types
    // beyond off are unknown and leave the light alone.
    auto type = static_cast<PerKeyEffect>(entry.mode);
    if (entry.mode > static_cast<uint8_t>(PerKeyEffect::Off)) return false;
    return entry.present != 0 || type == PerKeyEffect::Static || type == PerKeyEffect::Off;
}

void PerKeyOverlay::Load(std::span<const LightListEntry> entries, uint64_t nowMs) {
    m_entries.assign(entries.begin(), entries.end());
    // Blinking lights start lit.
    m_animations.assign(entries.size(), Animation{0, 0, 0, true, nowMs});
    m_lastFrameMs = nowMs;
    m_active = false;
    m_animated = false;
    for (const LightListEntry& entry : m_entries) {
        if (!Overrides(entry)) continue;
        m_active = true;
        auto type = static_cast<PerKeyEffect>(entry.mode);
        if (type == PerKeyEffect::Breathing || type == PerKeyEffect::Blink ||
            type == PerKeyEffect::Spectrum) {
            m_animated = true;
        }
    }
}

uint64_t PerKeyOverlay::NextFrameMs() const {
    return m_animated ? m_lastFrameMs + kFrameMs : kNever;
}

void PerKeyOverlay::Apply(uint64_t nowMs, std::span<KeyColour> keys) {
    if (!m_active) return;
    uint64_t frames = nowMs > m_lastFrameMs ? (nowMs - m_lastFrameMs) / kFrameMs : 0;
    m_lastFrameMs += frames * kFrameMs;
    frames = std::min(frames, kMaxFramesPerApply);
    size_t count = std::min(keys.size(), m_entries.size());
    for (size_t light = 0; light < count; ++light) {
        const LightListEntry& entry = m_entries[light];
        if (!Overrides(entry)) continue;
        Advance(entry, m_animations[light], frames, nowMs);
        keys[light] = Colour(entry, m_animations[light]);
    }
}

void PerKeyOverlay::Advance(const LightListEntry& entry, Animation& animation, uint64_t frames,
                            uint64_t nowMs) {
    const uint8_t speed = static_cast<uint8_t>(LevelIndex(entry.speed));
    switch (static_cast<PerKeyEffect>(entry.mode)) {
        case PerKeyEffect::Breathing:
            for (uint64_t i = 0; i < frames; ++i) {
                int phase = animation.phase + speed + 4;
                if (phase > kBreathingLastPhase) {
                    phase = 0;
                    animation.hueIndex = NextHue(animation.hueIndex, 1);
                }
                animation.phase = static_cast<uint8_t>(phase);
            }
            break;
        case PerKeyEffect::Blink:
            if (nowMs >= animation.lastBlinkMs &&
                nowMs - animation.lastBlinkMs >= BlinkIntervalMs(speed)) {
                animation.blinkOn = !animation.blinkOn;
                animation.lastBlinkMs = nowMs;
                animation.hueIndex = NextHue(animation.hueIndex, kBlinkHueStep);
            }
            break;
        case PerKeyEffect::Spectrum:
            for (uint64_t i = 0; i < frames; ++i) {
                if (++animation.passes >= kBlinkIntervals[speed]) {
                    animation.passes = 0;
                    animation.hueIndex = NextHue(animation.hueIndex, 1);
                }
            }
            break;
        default:
            break;
    }
}

KeyColour PerKeyOverlay::Colour(const LightListEntry& entry, const Animation& animation) {
    const uint8_t level = LevelBrightness(entry.brightness);
    const Rgb own{entry.red, entry.green, entry.blue};
    const Rgb colour = entry.multiColor ? HueColour(animation.hueIndex) : own;
    switch (static_cast<PerKeyEffect>(entry.mode)) {
        case PerKeyEffect::Breathing:
            return MakeKeyColour(colour, ScaleBrightness(level, kBreathingCurve[animation.phase]));
        case PerKeyEffect::Static:
            return MakeKeyColour(own, level);
        case PerKeyEffect::Blink:
            return animation.blinkOn ? MakeKeyColour(colour, level) : KeyColour{};
        case PerKeyEffect::Spectrum:
            return MakeKeyColour(HueColour(animation.hueIndex), level);
        case PerKeyEffect::Off:
            return {};
    }
    return {};
}

}  // namespace vestra
