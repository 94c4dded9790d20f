#include "device/model/PadEffects.h"

#include <algorithm>

namespace vestra {
namespace {

constexpr size_t kHalfCurveLength = kHalfBreathingCurve.size();  // 96
constexpr uint8_t kMarqueeHueStep = 12;
// Hue and half-curve steps from one light to the next.
constexpr uint8_t kPadWaveStep = 7;
constexpr uint8_t kStepWaveStep = 12;

size_t MarqueePositions(PadEffects::Marquee kind, size_t lights) {
    if (lights == 0) return 0;
    return kind == PadEffects::Marquee::LightByLight ? lights : 1 + (lights - 1) / 2;
}

LightInfoRecord StepLight(const LightStep& step) {
    LightInfoRecord light{};
    light.selectItem = step.mode;
    light.light = step.brightness;
    light.speed = step.speed;
    light.fx = step.direction;
    light.multiColor = step.multiColor;
    light.red = step.red;
    light.green = step.green;
    light.blue = step.blue;
    return light;
}

}  // namespace

bool IsPadCustomMode(uint8_t mode) {
    return mode == kPadCustom || mode > kPadOff;
}

void PadEffects::SetSteps(std::vector<LightStep> steps, uint64_t nowMs) {
    m_steps = std::move(steps);
    m_step = 0;
    m_stepStartMs = nowMs;
    m_stepPasses = 0;
    m_stepState = {};
}

void PadEffects::ResetMode(uint8_t mode) {
    m_mode = mode;
    m_passes = 0;
    m_state = {};
    m_intensity.fill(0);
    m_marqueeRow = 1;
    m_marqueeShift = false;
}

bool PadEffects::Pass(const LightInfoRecord& light, uint64_t nowMs, std::span<KeyColour> lights) {
    if (light.selectItem != m_mode) ResetMode(light.selectItem);
    if (IsPadCustomMode(light.selectItem)) return PlayStep(nowMs, lights);
    if (++m_passes < kPadStepPasses[LevelIndex(light.speed)]) return false;
    m_passes = 0;
    switch (light.selectItem) {
        case kPadWave:
            Wave(light, lights);
            break;
        case kPadSpectrum:
            RunSharedEffect(SharedEffect::Spectrum, light, m_state, nowMs, lights);
            break;
        case kPadBreathing:
            RunSharedEffect(SharedEffect::Breathing, light, m_state, nowMs, lights);
            break;
        case kPadStatic:
            RunSharedEffect(SharedEffect::Static, light, m_state, nowMs, lights);
            break;
        case kPadBlink:
            RunSharedEffect(SharedEffect::Blink, light, m_state, nowMs, lights);
            break;
        case kPadMarquee:
            RunMarquee(Marquee::LightByLight, light, lights);
            break;
        case kPadMirroredMarquee:
            RunMarquee(Marquee::Mirrored, light, lights);
            break;
        default:
            RunSharedEffect(SharedEffect::Off, light, m_state, nowMs, lights);
            break;
    }
    return true;
}

void PadEffects::Wave(const LightInfoRecord& light, std::span<KeyColour> lights) {
    DrawWave(m_state, light, {kPadWaveStep, kPadWaveStep}, lights);
}

// Hues run around the 192-hue wheel and curve positions around the 96-entry half curve, so a
// step that would run past the end continues from the start.
void PadEffects::DrawWave(EffectState& state, const LightInfoRecord& light, WaveSteps steps,
                          std::span<KeyColour> lights) {
    const uint8_t level = LevelBrightness(light.light);
    if (light.multiColor) {
        state.phase = StepPhase(light.fx, kHueCount, state.phase, 1);
        size_t hue = (state.phase + 1u) % kHueCount;
        for (KeyColour& colour : lights) {
            colour = MakeKeyColour(HueColour(static_cast<uint8_t>(hue)), level);
            hue = (hue + steps.hue) % kHueCount;
        }
        return;
    }
    state.phase = StepPhase(light.fx, kHalfCurveLength, state.phase, 1);
    size_t index = (state.phase + 1u) % kHalfCurveLength;
    for (KeyColour& colour : lights) {
        colour =
            MakeKeyColour(FixedColour(light), ScaleBrightness(level, kHalfBreathingCurve[index]));
        index = (index + steps.curve) % kHalfCurveLength;
    }
}

void PadEffects::RunMarquee(Marquee kind, const LightInfoRecord& light,
                            std::span<KeyColour> lights) {
    const size_t count = std::min(lights.size(), kMaxPadLights);
    const size_t positions = MarqueePositions(kind, count);
    if (positions == 0) return;
    m_state.phase = StepPhase(light.fx, kHueCount, m_state.phase, 1);

    m_marqueeShift = !m_marqueeShift;
    if (m_marqueeShift) {
        const uint16_t mask = static_cast<uint16_t>((1u << positions) - 1);
        uint16_t row = m_marqueeRow & mask;
        if (row == 0) row = 1;
        row = light.fx ? static_cast<uint16_t>(row << 1 | row >> (positions - 1))
                       : static_cast<uint16_t>(row >> 1 | row << (positions - 1));
        m_marqueeRow = row & mask;
        for (size_t p = 0; p < positions; ++p) {
            if (m_marqueeRow & (1u << p)) m_intensity[p] = 255;
        }
    }

    const uint8_t level = LevelBrightness(light.light);
    for (size_t p = 0; p < positions; ++p) {
        m_intensity[p] = FadeIntensity(light.selectItem, m_intensity[p]);
        const Rgb rgb =
            light.multiColor
                ? HueColour(static_cast<uint8_t>((m_state.phase + kMarqueeHueStep * p) % kHueCount))
                : FixedColour(light);
        const KeyColour colour = MakeKeyColour(rgb, ScaleBrightness(level, m_intensity[p]));
        if (kind == Marquee::LightByLight) {
            lights[p] = colour;
        } else {
            lights[p] = colour;
            if (p > 0) lights[count - p] = colour;
        }
    }
}

bool PadEffects::PlayStep(uint64_t nowMs, std::span<KeyColour> lights) {
    if (m_steps.empty()) {
        RunSharedEffect(SharedEffect::Off, {}, m_stepState, nowMs, lights);
        return true;
    }
    const LightStep& step = m_steps[m_step];
    const LightInfoRecord light = StepLight(step);
    const auto& periods = step.mode == 5 ? kPadSpectrumStepPasses : kPadStepPasses;
    const bool due = ++m_stepPasses >= periods[LevelIndex(step.speed)];
    if (due) m_stepPasses = 0;

    bool drawn = false;
    switch (step.mode) {
        case 0:
            if (due) RunSharedEffect(SharedEffect::Breathing, light, m_stepState, nowMs, lights);
            drawn = due;
            break;
        case 1:
            if (due) RunSharedEffect(SharedEffect::Static, light, m_stepState, nowMs, lights);
            drawn = due;
            break;
        case 2:
            RunSharedEffect(SharedEffect::Blink, light, m_stepState, nowMs, lights);
            drawn = true;
            break;
        case 4:
            if (due) {
                DrawWave(m_stepState, light, {kStepWaveStep, kStepWaveStep}, lights);
            }
            drawn = due;
            break;
        case 5:
            if (due) RunSharedEffect(SharedEffect::Spectrum, light, m_stepState, nowMs, lights);
            drawn = due;
            break;
        default:
            break;
    }

    // A step's time runs from the moment it became current.
    if (nowMs - m_stepStartMs >= static_cast<uint64_t>(std::max(step.time, 0))) {
        m_step = (m_step + 1) % m_steps.size();
        m_stepStartMs = nowMs;
        m_stepPasses = 0;
    }
    return drawn;
}

}  // namespace vestra
