#include "device/model/SyncLighting.h"

#include <algorithm>
#include <climits>

#include "device/model/SharedEffects.h"

namespace vestra {

namespace {

constexpr uint8_t kBreathingPeriod = 128;
constexpr uint8_t kBreathingHueStep = 16;
constexpr uint8_t kBlinkHueStep = 14;
// Steps a late pass may catch up; after a longer stall the effect skips ahead instead.
constexpr uint64_t kMaxCatchUpSteps = 4;

uint8_t AdvanceHue(uint8_t hue, uint8_t step) {
    int next = hue + step;
    return static_cast<uint8_t>(next >= static_cast<int>(kHueCount) ? 0 : next);
}

}  // namespace

SyncLighting::SyncLighting(SyncLightingTarget& target, const Clock& clock)
    : m_target(target), m_clock(clock) {}

void SyncLighting::SetSettings(const SyncLightSettings& settings) {
    std::lock_guard lock(m_settingsLock);
    m_settings = settings;
}

SyncLightSettings SyncLighting::Settings() const {
    std::lock_guard lock(m_settingsLock);
    return m_settings;
}

void SyncLighting::Start() {
    m_worker.Stop();
    m_counting = false;
    m_stepCount = 0;
    m_worker.Start([this] { return RunPass(m_clock.NowMs()); }, "同步灯光线程设定退出");
}

void SyncLighting::Stop() {
    m_worker.Stop();
}

int SyncLighting::RunPass(uint64_t nowMs) {
    if (!m_target.IsSyncActive()) {
        m_counting = false;
        return kInactiveWaitMs;
    }
    if (!m_counting) {
        m_ticks.Restart(nowMs);
        m_counting = true;
    }
    m_stepCount += m_ticks.Advance(nowMs);

    const SyncLightSettings settings = Settings();
    // A mode that runs nothing leaves the count growing, so a valid mode steps at once.
    if (settings.mode > kSyncOff) return kIdleWaitMs;

    const uint64_t threshold = kBlinkIntervals[LevelIndex(settings.speed)];
    uint64_t steps = std::min(m_stepCount / threshold, kMaxCatchUpSteps);
    m_stepCount %= threshold;
    if (steps > 0) {
        uint32_t colour = 0;
        for (uint64_t i = 0; i < steps; ++i) colour = Step(settings, nowMs);
        m_target.SendSyncColour(colour);
    }
    uint64_t dueMs = m_ticks.TimeOfTick(threshold - m_stepCount);
    return static_cast<int>(std::min<uint64_t>(dueMs > nowMs ? dueMs - nowMs : 0, INT_MAX));
}

uint32_t SyncLighting::Step(const SyncLightSettings& settings, uint64_t nowMs) {
    const uint8_t level = LevelBrightness(settings.brightness);
    switch (settings.mode) {
        case kSyncBreathing: {
            m_breathingPosition =
                StepPhase(settings.direction, kBreathingPeriod, m_breathingPosition, 1);
            // The colour changes once per breath, at its darkest point.
            if (settings.multiColor && m_breathingPosition == 0) {
                m_wheelPosition = AdvanceHue(m_wheelPosition, kBreathingHueStep);
            }
            Rgb colour = settings.multiColor ? HueColour(m_wheelPosition) : settings.colour;
            return PackColour(colour, ScaleBrightness(level, kBreathingCurve[m_breathingPosition]));
        }
        case kSyncSteady:
            return PackColour(settings.colour, level);
        case kSyncBlinking:
            if (nowMs >= m_lastBlinkMs &&
                nowMs - m_lastBlinkMs >= BlinkIntervalMs(settings.speed)) {
                m_blinkOn = !m_blinkOn;
                m_lastBlinkMs = nowMs;
                m_blinkPosition = AdvanceHue(m_blinkPosition, kBlinkHueStep);
            }
            if (!m_blinkOn) return 0;
            return PackColour(settings.multiColor ? HueColour(m_blinkPosition) : settings.colour,
                              level);
        case kSyncColourCycle:
            m_wheelPosition = AdvanceHue(m_wheelPosition, 1);
            return PackColour(HueColour(m_wheelPosition), level);
        default:
            return 0;
    }
}

}  // namespace vestra
