#include "device/model/LightingThread.h"

#include <algorithm>
#include <climits>

namespace vestra {

namespace {

// Steps one pass may run: a frame's worth at the fastest interval and a late wake besides;
// after a longer stall the effect skips ahead instead.
constexpr uint64_t kMaxCatchUpSteps = 2 * kLightFrameMs / TickCounter::kTickMs;

int WaitUntil(uint64_t dueMs, uint64_t nowMs) {
    if (dueMs <= nowMs) return 0;
    return static_cast<int>(std::min<uint64_t>(dueMs - nowMs, INT_MAX));
}

}  // namespace

LightingThread::LightingThread(LightingHost& host, KeyboardLightingParts parts, const Clock& clock)
    : m_host(host), m_parts(parts), m_clock(clock) {}

void LightingThread::Start() {
    m_worker.Stop();
    m_counting = false;
    m_tickCount = 0;
    m_worker.Start([this] { return RunPass(m_clock.NowMs()); }, "KB灯光线程设定退出");
}

void LightingThread::Stop() {
    m_worker.Stop();
}

int LightingThread::RunPass(uint64_t nowMs) {
    if (!m_host.IsChannelOpen() || m_host.IsLightingHeld()) {
        // Ticks are not counted meanwhile, so the effect resumes where it stopped.
        m_counting = false;
        return kStandbyMs;
    }
    if (!m_counting) {
        m_ticks.Restart(nowMs);
        m_counting = true;
    }
    m_tickCount += m_ticks.Advance(nowMs);

    const LightInfoRecord light = m_host.CurrentLightInfo();
    const uint32_t interval = KeyboardEffects::StepInterval(light.selectItem, light.speed);
    uint64_t dueMs;
    bool drawn = false;
    {
        std::lock_guard lock(m_parts.effectLock);
        if (interval == 0) {
            // The idle step: nothing to draw; look at the mode again later.
            m_tickCount = 0;
            dueMs = nowMs + kStandbyMs;
        } else {
            uint64_t steps = std::min(m_tickCount / interval, kMaxCatchUpSteps);
            m_tickCount %= interval;
            if (steps > 0) {
                m_parts.colours.Update([&](std::span<KeyColour> keys) {
                    for (uint64_t i = 0; i < steps; ++i) m_parts.effects.Step(light, nowMs, keys);
                });
                drawn = true;
            }
            dueMs = m_ticks.TimeOfTick(interval - m_tickCount);
        }
        PerKeyOverlay& overlay = m_parts.overlay;
        if (overlay.IsActive() && (drawn || interval == 0 || nowMs >= overlay.NextFrameMs())) {
            m_parts.colours.Update([&](std::span<KeyColour> keys) { overlay.Apply(nowMs, keys); });
            drawn = true;
        }
        if (overlay.IsActive()) dueMs = std::min(dueMs, overlay.NextFrameMs());
    }
    if (drawn) dueMs = std::max(dueMs, nowMs + kLightFrameMs);
    if (drawn) m_host.OnFrameReady();
    return WaitUntil(dueMs, nowMs);
}

}  // namespace vestra
