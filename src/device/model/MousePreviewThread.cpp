#include "device/model/MousePreviewThread.h"

#include <algorithm>

namespace vestra {

MousePreviewThread::MousePreviewThread(LightingHost& host, KeyColourBuffer& leds,
                                       MousePreviewEffects& effects, std::mutex& effectLock,
                                       const Clock& clock)
    : m_host(host), m_leds(leds), m_effects(effects), m_effectLock(effectLock), m_clock(clock) {}

void MousePreviewThread::Start() {
    m_worker.Stop();
    m_counting = false;
    m_steps = 0;
    m_worker.Start([this] { return Wake(); }, "MS灯光线程设定退出");
}

void MousePreviewThread::Stop() {
    m_worker.Stop();
}

int MousePreviewThread::Wake() {
    if (!m_host.IsChannelOpen()) {
        m_counting = false;
        return kStandbyMs;
    }
    if (m_host.IsLightingHeld()) return kHeldMs;
    const uint64_t nowMs = m_clock.NowMs();
    if (RunPass(nowMs)) m_host.OnFrameReady();
    // Sleep until the next frame is due rather than looking every millisecond.
    const uint64_t period = MousePreviewEffects::FramePeriod(m_host.CurrentLightInfo().speed);
    const uint64_t dueMs = m_ticks.TimeOfTick(period > m_steps ? period - m_steps : 1);
    return static_cast<int>(std::clamp<uint64_t>(dueMs > nowMs ? dueMs - nowMs : 1, 1, kStandbyMs));
}

bool MousePreviewThread::RunPass(uint64_t nowMs) {
    if (!m_counting) {
        m_ticks.Restart(nowMs);
        m_counting = true;
    }
    m_steps += m_ticks.Advance(nowMs);
    const LightInfoRecord light = m_host.CurrentLightInfo();
    if (m_steps < static_cast<uint64_t>(MousePreviewEffects::FramePeriod(light.speed))) {
        return false;
    }
    m_steps = 0;
    std::lock_guard lock(m_effectLock);
    m_leds.Update([&](std::span<KeyColour> leds) { m_effects.RunFrame(light, nowMs, leds); });
    return true;
}

}  // namespace vestra
