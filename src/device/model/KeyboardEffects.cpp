#include "device/model/KeyboardEffects.h"

#include <algorithm>

#include "device/model/SharedEffects.h"

namespace vestra {

namespace {

constexpr uint8_t kHalfCurvePeriod = 96;
constexpr uint8_t kTwinklePeriod = 192;
constexpr uint8_t kBreathingPeriod = 128;
constexpr uint8_t kRainPeriod = 52;
constexpr uint8_t kFull = 255;
constexpr uint8_t kTrailHead = 254;
constexpr uint8_t kHuePerColumn = 7;
constexpr uint8_t kAudioInterval = 2;  // mode 29 steps once the count exceeds 1
constexpr std::array<uint8_t, kLevels> kExternalColourIntervals = {2, 0, 0, 0, 0};
constexpr uint8_t kPulseSteps = 16;  // modes 13 and 16 send a new pulse this often
constexpr uint8_t kCentreColumn = 11;
constexpr uint8_t kAllRows = 0x3F;  // bits of the six grid rows

// The next value of a sequence that steps through [0, period) and wraps.
uint8_t NextInCycle(uint8_t value, uint8_t step, uint8_t period) {
    int next = value + step;
    return static_cast<uint8_t>(next >= period ? next - period : next);
}

void SetKey(std::span<KeyColour> keys, uint8_t key, KeyColour colour) {
    if (key < kKeyPositions && key < keys.size()) keys[key] = colour;
}

void ClearKeys(std::span<KeyColour> keys) {
    std::fill(keys.begin(), keys.end(), KeyColour{});
}

// Groups of keys that the waves walk: call apply for each key of the group.
constexpr auto ForEachColumnKey = [](size_t column, auto&& apply) {
    for (uint8_t key : kKeyGrid[column]) apply(key);
};
constexpr auto ForEachRowKey = [](size_t row, auto&& apply) {
    for (const auto& column : kKeyGrid) apply(column[row]);
};
constexpr auto ForEachKeyInOrder = [](size_t index, auto&& apply) { apply(kKeyOrder[index]); };
constexpr auto ForEachPatternKey = [](size_t band, auto&& apply) {
    for (uint8_t key : kPatternGrid[band]) apply(key);
};

uint8_t PresetHue(uint8_t areaMode) {
    switch (areaMode) {
        case 1:
            return 25;
        case 2:
            return 70;
        case 3:
            return 95;
        default:
            return 174;
    }
}

}  // namespace

KeyboardEffects::KeyboardEffects(uint32_t randomStart) : m_random(randomStart) {}

bool KeyboardEffects::HasGenerator(uint8_t mode) {
    return mode >= kModeHorizontalWave && mode <= kModeExternalColour && mode != 19;
}

uint32_t KeyboardEffects::StepInterval(uint8_t mode, uint8_t speed) {
    if (!HasGenerator(mode)) return 0;
    if (mode == kModeAudio) return kAudioInterval;
    if (mode == kModeExternalColour) {
        // An interval of 0 means every pass, which is one step per tick.
        return std::max<uint32_t>(1, kExternalColourIntervals[LevelIndex(speed)]);
    }
    return kStepIntervals[LevelIndex(speed)];
}

void KeyboardEffects::SelectMode(uint8_t mode) {
    ResetBuffers();
    auto& b = m_buffers;
    switch (mode) {
        case kModeHueScroll: {
            // Neighbouring positions start a third of the wheel apart.
            uint8_t hue = 0;
            for (uint8_t& index : b.colourIndex) {
                index = hue;
                hue += (hue >= 160 && hue <= 222) ? 97 : 33;
            }
            break;
        }
        case kModeReactivePulse:
        case kModeReactiveSpread:
            StartPulse(mode);
            break;
        case kModeTwinkle:
            // Scatter the keys over the curve so that they do not flash together.
            for (size_t i = 0; i < kKeysOnGrid; ++i) {
                uint8_t key = kKeyOrder[i];
                b.huePhase[key] = static_cast<uint8_t>(2 * RandomBelow(kTwinklePeriod / 2));
                b.colourIndex[key] = RandomBelow(kHueCount);
            }
            break;
        case kModeRipple:
            // The keys of ring i start at hue 192 - 8i, each 35 before the last (98 when that
            // would pass 0, which lands near the top of the wheel); the rings' phases lead
            // by 7 each from the edge in.
            for (size_t ring = 0; ring < kRippleRings; ++ring) {
                uint8_t hue = static_cast<uint8_t>(192 - 8 * ring);
                for (size_t slot = 0; slot < kRippleKeysPerRing; ++slot) {
                    b.colourIndex[ring * kRippleKeysPerRing + slot] = hue;
                    hue =
                        hue < 35 ? static_cast<uint8_t>(hue - 98) : static_cast<uint8_t>(hue - 35);
                }
                b.huePhase[ring] = static_cast<uint8_t>(7 * ring);
            }
            break;
        default:
            break;
    }
}

void KeyboardEffects::OnKeyHit(uint8_t position, KeyAction action) {
    if (position >= kKeyPositions) return;
    if (action == KeyAction::Press) m_buffers.hits[position] |= kHitPressBit;
    if (action == KeyAction::Release) m_buffers.hits[position] |= kHitReleaseBit;
}

void KeyboardEffects::Step(const LightInfoRecord& light, uint64_t nowMs,
                           std::span<KeyColour> keys) {
    const uint8_t level = LevelBrightness(light.light);
    const uint8_t mode = light.selectItem;
    switch (mode) {
        case kModeHorizontalWave:
            Wave(light, kGridColumns, 7, 7, ForEachColumnKey, keys);
            break;
        case kModeColumnWave:
            ColumnWave(light, keys);
            break;
        case kModeKeyOrderSweep:
            Wave(light, kKeysOnGrid, 5, 5, ForEachKeyInOrder, keys);
            break;
        case kModeVerticalWave:
            Wave(light, kGridRows, 24, 11, ForEachRowKey, keys);
            break;
        case kModeDiagonalWave:
            Wave(light, kPatternRows, 7, 7, ForEachPatternKey, keys);
            break;
        case kModeBreathing:
            Breathing(light, keys);
            break;
        case kModeStatic:
            Static(light, keys);
            break;
        case kModeReactiveFade:
        case kModeReactiveHueSpread:
        case kModeReactiveSpreadHue:
        case kModeReactivePulse:
        case kModeReactiveMarquee:
        case kModeReactiveSpread:
        case kModeReactiveRelease:
            Reactive(mode, light, keys);
            break;
        case kModeSparkle:
            Sparkle(light, keys);
            break;
        case kModeHueScroll:
            HueScroll(light, keys);
            break;
        case kModeTwinkle:
            Twinkle(light, keys);
            break;
        case kModePresetStatic:
            std::fill(keys.begin(), keys.end(),
                      MakeKeyColour(HueColour(PresetHue(light.zzccLedMode)), level));
            break;
        case kModeCustomColours:
            // The colours are the user's own; only the brightness follows the level.
            for (KeyColour& key : keys) key.brightness = level;
            break;
        case kModeTrail:
            Trail(light, keys);
            break;
        case kModeRipple:
            Ripple(light, keys);
            break;
        case kModeRain:
            Rain(light, keys);
            break;
        case kModeSpectrum:
            RunSharedEffect(SharedEffect::Spectrum, light, m_buffers.shared, nowMs, keys);
            break;
        case kModeBlink:
            RunSharedEffect(SharedEffect::Blink, light, m_buffers.shared, nowMs, keys);
            break;
        case kModeBasicBreathing:
            RunSharedEffect(SharedEffect::BasicBreathing, light, m_buffers.shared, nowMs, keys);
            break;
        case kModeBasicBlink:
            RunSharedEffect(SharedEffect::BasicBlink, light, m_buffers.shared, nowMs, keys);
            break;
        case kModeOff:
            RunSharedEffect(SharedEffect::Off, light, m_buffers.shared, nowMs, keys);
            break;
        case kModeAudio:
            m_audio.Step(light, m_buffers.intensity, keys);
            break;
        case kModeExternalColour:
            std::fill(keys.begin(), keys.end(), MakeKeyColour(m_externalColour, level));
            break;
        default:
            break;  // no generator
    }
}

// A wave walks groups of keys (columns, rows, the key order, the diagonal bands). With
// multi-colour each group shows the hue of the one before plus hueStep; otherwise the fixed
// colour dims along the half breathing curve, curveStep entries per group. The first group
// starts one past the phase, so the wave moves as the phase does.
template <typename KeysOfGroup>
void KeyboardEffects::Wave(const LightInfoRecord& light, size_t groups, uint8_t hueStep,
                           uint8_t curveStep, KeysOfGroup keysOfGroup, std::span<KeyColour> keys) {
    const uint8_t level = LevelBrightness(light.light);
    uint8_t& phase = m_buffers.shared.phase;
    ClearKeys(keys);
    if (light.multiColor) {
        phase = StepPhase(light.fx, kHueCount, phase, 1);
        uint8_t hue = NextInCycle(phase, 1, kHueCount);
        for (size_t group = 0; group < groups; ++group) {
            KeyColour colour = MakeKeyColour(HueColour(hue), level);
            keysOfGroup(group, [&](uint8_t key) { SetKey(keys, key, colour); });
            hue = NextInCycle(hue, hueStep, kHueCount);
        }
    } else {
        phase = StepPhase(light.fx, kHalfCurvePeriod, phase, 1);
        uint8_t index = NextInCycle(phase, 1, kHalfCurvePeriod);
        for (size_t group = 0; group < groups; ++group) {
            KeyColour colour = MakeKeyColour(FixedColour(light),
                                             ScaleBrightness(level, kHalfBreathingCurve[index]));
            keysOfGroup(group, [&](uint8_t key) { SetKey(keys, key, colour); });
            index = NextInCycle(index, curveStep, kHalfCurvePeriod);
        }
    }
}

// Hues two apart per column; without multi-colour a flash (the twinkle curve) runs across the
// columns at half the speed of the phase.
void KeyboardEffects::ColumnWave(const LightInfoRecord& light, std::span<KeyColour> keys) {
    if (light.multiColor) {
        Wave(light, kGridColumns, 2, 0, ForEachColumnKey, keys);
        return;
    }
    const uint8_t level = LevelBrightness(light.light);
    uint8_t& phase = m_buffers.shared.phase;
    phase = StepPhase(light.fx, kTwinklePeriod, phase, 1);
    ClearKeys(keys);
    for (size_t column = 0; column < kGridColumns; ++column) {
        uint8_t index = static_cast<uint8_t>((phase / 2 + 2 * column) % kHalfCurvePeriod);
        KeyColour colour =
            MakeKeyColour(FixedColour(light), ScaleBrightness(level, kTwinkleCurve[index]));
        ForEachColumnKey(column, [&](uint8_t key) { SetKey(keys, key, colour); });
    }
}

// The keyboard's breathing ignores the direction; with multi-colour it is a rainbow by column.
void KeyboardEffects::Breathing(const LightInfoRecord& light, std::span<KeyColour> keys) {
    uint8_t& phase = m_buffers.shared.phase;
    phase = phase + 1 >= kBreathingPeriod ? 0 : phase + 1;
    const uint8_t brightness =
        ScaleBrightness(LevelBrightness(light.light), kBreathingCurve[phase]);
    ClearKeys(keys);
    for (size_t column = 0; column < kGridColumns; ++column) {
        Rgb colour = light.multiColor ? HueColour(static_cast<uint8_t>(kHuePerColumn * column))
                                      : FixedColour(light);
        ForEachColumnKey(
            column, [&](uint8_t key) { SetKey(keys, key, MakeKeyColour(colour, brightness)); });
    }
}

// With multi-colour a still rainbow along the diagonal bands.
void KeyboardEffects::Static(const LightInfoRecord& light, std::span<KeyColour> keys) {
    const uint8_t level = LevelBrightness(light.light);
    if (!light.multiColor) {
        std::fill(keys.begin(), keys.end(), MakeKeyColour(FixedColour(light), level));
        return;
    }
    ClearKeys(keys);
    uint8_t hue = 150;
    for (const auto& band : kPatternGrid) {
        for (uint8_t key : band) SetKey(keys, key, MakeKeyColour(HueColour(hue), level));
        hue -= 12;
        if (hue >= kHueCount) hue = 150;
    }
}

// Key hits light their key and send lights travelling along the reactive rows: none for the
// fades (7 on press, 25 on release), left and right for the marquee (14), all four directions
// for the others. Lit keys fade by the rule numbered by the mode.
void KeyboardEffects::Reactive(uint8_t mode, const LightInfoRecord& light,
                               std::span<KeyColour> keys) {
    auto& b = m_buffers;
    TakeHits(mode);
    MoveReactiveRows();
    for (const auto& row : b.reactiveRows) {
        for (size_t column = 0; column < kGridColumns; ++column) {
            for (size_t gridRow = 0; gridRow < kGridRows; ++gridRow) {
                uint8_t key = kKeyGrid[column][gridRow];
                if ((row[column] >> gridRow & 1) && key != kNoKey) b.intensity[key] = kFull;
            }
        }
    }
    for (uint8_t& value : b.intensity) value = FadeIntensity(mode, value);
    if (mode == kModeReactiveHueSpread && light.multiColor) {
        for (uint8_t& hue : b.colourIndex) hue = NextInCycle(hue, 7, kHueCount);
    }
    if (mode == kModeReactivePulse || mode == kModeReactiveSpread) {
        if (++b.reactiveStep >= kPulseSteps) {
            b.reactiveStep = 0;
            StartPulse(mode);
        }
    }
    PaintByIntensity(light, keys);
}

void KeyboardEffects::TakeHits(uint8_t mode) {
    const uint8_t wanted = mode == kModeReactiveRelease ? kHitReleaseBit : kHitPressBit;
    for (size_t key = 0; key < kKeyPositions; ++key) {
        if (m_buffers.hits[key] & wanted) Hit(mode, static_cast<uint8_t>(key));
        m_buffers.hits[key] = 0;
    }
}

void KeyboardEffects::Hit(uint8_t mode, uint8_t key) {
    auto& b = m_buffers;
    b.intensity[key] = kFull;
    const uint8_t hue = RandomBelow(kHueCount);
    b.colourIndex[key] = hue;
    const uint8_t column = kKeyColumn[key];
    const uint8_t row = kKeyRow[key];
    if (column == kNoKey || mode == kModeReactiveFade || mode == kModeReactiveRelease) return;
    if (mode == kModeReactiveSpreadHue) {
        // The whole cross that the hit spreads along takes the hit's hue.
        auto paint = [&](uint8_t k) {
            if (k != kNoKey) b.colourIndex[k] = hue;
        };
        ForEachColumnKey(column, paint);
        ForEachRowKey(row, paint);
    }
    const uint8_t bit = static_cast<uint8_t>(1 << row);
    b.reactiveRows[kTowardsLeft][column] |= bit;
    b.reactiveRows[kTowardsRight][column] |= bit;
    if (mode != kModeReactiveMarquee) {
        b.reactiveRows[kTowardsTop][column] |= bit;
        b.reactiveRows[kTowardsBottom][column] |= bit;
    }
}

void KeyboardEffects::MoveReactiveRows() {
    auto& rows = m_buffers.reactiveRows;
    auto& left = rows[kTowardsLeft];
    std::copy(left.begin() + 1, left.end(), left.begin());
    left.back() = 0;
    auto& right = rows[kTowardsRight];
    std::copy_backward(right.begin(), right.end() - 1, right.end());
    right.front() = 0;
    for (uint8_t& bits : rows[kTowardsTop]) bits >>= 1;
    for (uint8_t& bits : rows[kTowardsBottom]) bits = (bits << 1) & kAllRows;
}

// A pulse starts from the middle: a full column going both ways (13), or the two middle rows
// going up and down (16).
void KeyboardEffects::StartPulse(uint8_t mode) {
    auto& rows = m_buffers.reactiveRows;
    if (mode == kModeReactivePulse) {
        rows[kTowardsLeft][kCentreColumn] |= kAllRows;
        rows[kTowardsRight][kCentreColumn] |= kAllRows;
    } else {
        for (uint8_t& bits : rows[kTowardsTop]) bits |= 1 << (kGridRows / 2 - 1);
        for (uint8_t& bits : rows[kTowardsBottom]) bits |= 1 << (kGridRows / 2);
    }
}

void KeyboardEffects::Sparkle(const LightInfoRecord& light, std::span<KeyColour> keys) {
    constexpr int kSparksPerStep = 6;
    constexpr uint8_t kFadeRuleSparkle = kModeSparkle;
    auto& b = m_buffers;
    for (int i = 0; i < kSparksPerStep; ++i) {
        uint8_t key = kKeyOrder[RandomBelow(kKeysOnGrid)];
        b.intensity[key] = kFull;
        b.colourIndex[key] = RandomBelow(kHueCount);
    }
    for (uint8_t& value : b.intensity) value = FadeIntensity(kFadeRuleSparkle, value);
    PaintByIntensity(light, keys);
}

void KeyboardEffects::Twinkle(const LightInfoRecord& light, std::span<KeyColour> keys) {
    auto& b = m_buffers;
    for (size_t i = 0; i < kKeysOnGrid; ++i) {
        uint8_t key = kKeyOrder[i];
        uint8_t& phase = b.huePhase[key];
        phase = static_cast<uint8_t>(phase + 2);
        if (phase >= kTwinklePeriod) {
            phase = 0;
            b.colourIndex[key] = RandomBelow(kHueCount);
        }
        b.intensity[key] = kTwinkleCurve[phase];
    }
    PaintByIntensity(light, keys);
}

void KeyboardEffects::HueScroll(const LightInfoRecord& light, std::span<KeyColour> keys) {
    const uint8_t level = LevelBrightness(light.light);
    for (uint8_t& hue : m_buffers.colourIndex) hue = NextInCycle(hue, 1, kHueCount);
    size_t count = std::min(keys.size(), kKeyPositions);
    for (size_t key = 0; key < count; ++key) {
        keys[key] = MakeKeyColour(HueColour(m_buffers.colourIndex[key]), level);
    }
}

// A head walks the key order, leaving a fading trail; with multi-colour the trail runs through
// the wheel.
void KeyboardEffects::Trail(const LightInfoRecord& light, std::span<KeyColour> keys) {
    auto& b = m_buffers;
    for (uint8_t& value : b.intensity) value = FadeIntensity(kModeTrail, value);
    b.shared.phase = StepPhase(light.fx, kKeysOnGrid, b.shared.phase, 1);
    uint8_t head = kKeyOrder[b.shared.phase];
    b.intensity[head] = kTrailHead;
    b.colourIndex[head] = b.shared.colourIndex;
    b.shared.colourIndex = NextInCycle(b.shared.colourIndex, 1, kHueCount);
    PaintByIntensity(light, keys);
}

// Each ring follows the twinkle curve with its own phase, the centre ahead of the edge, so
// flashes travel outwards (inwards when the direction is backwards). A ring whose phase wraps
// takes a new random hue.
void KeyboardEffects::Ripple(const LightInfoRecord& light, std::span<KeyColour> keys) {
    auto& b = m_buffers;
    const uint8_t level = LevelBrightness(light.light);
    ClearKeys(keys);
    for (size_t ring = 0; ring < kRippleRings; ++ring) {
        uint8_t phase = StepPhase(light.fx, kTwinklePeriod, b.huePhase[ring], 1);
        bool wrapped = light.fx ? phase == 0 : phase == kTwinklePeriod - 1;
        b.huePhase[ring] = phase;
        uint8_t* hues = &b.colourIndex[ring * kRippleKeysPerRing];
        if (wrapped) std::fill_n(hues, kRippleKeysPerRing, RandomBelow(kHueCount));
        uint8_t brightness = ScaleBrightness(level, kTwinkleCurve[phase]);
        for (size_t slot = 0; slot < kRippleKeysPerRing; ++slot) {
            Rgb colour = light.multiColor ? HueColour(hues[slot]) : FixedColour(light);
            SetKey(keys, kRippleGrid[ring][slot], MakeKeyColour(colour, brightness));
        }
    }
}

// A diagonal band sweeps the keyboard and lights its keys at hue 0; behind it the keys dim by 5
// and move 3 along the wheel each step.
void KeyboardEffects::Rain(const LightInfoRecord& light, std::span<KeyColour> keys) {
    auto& b = m_buffers;
    b.shared.phase = StepPhase(light.fx, kRainPeriod, b.shared.phase, 1);
    for (size_t key = 0; key < kKeyPositions; ++key) {
        b.intensity[key] = static_cast<uint8_t>(std::max(0, b.intensity[key] - 5));
        b.colourIndex[key] = NextInCycle(b.colourIndex[key], 3, kHueCount);
    }
    for (uint8_t key : kPatternGrid[b.shared.phase * kPatternRows / kRainPeriod]) {
        if (key >= kKeyPositions) continue;
        b.intensity[key] = kFull;
        b.colourIndex[key] = 0;
    }
    PaintByIntensity(light, keys);
}

void KeyboardEffects::PaintByIntensity(const LightInfoRecord& light,
                                       std::span<KeyColour> keys) const {
    const uint8_t level = LevelBrightness(light.light);
    size_t count = std::min(keys.size(), kKeyPositions);
    for (size_t key = 0; key < count; ++key) {
        Rgb colour = light.multiColor ? HueColour(m_buffers.colourIndex[key]) : FixedColour(light);
        keys[key] = MakeKeyColour(colour, ScaleBrightness(level, m_buffers.intensity[key]));
    }
}

}  // namespace vestra
