#include "device/model/MousePreviewThread.h"

#include "platform/DebugLog.h"

namespace vestra {

MousePreviewThread::MousePreviewThread(LightingHost& host, KeyColourBuffer& leds,
                                       MousePreviewEffects& effects, std::mutex& effectLock,
                                       const Clock& clock)
    : m_host(host), m_leds(leds), m_effects(effects), m_effectLock(effectLock), m_clock(clock) {}

void MousePreviewThread::Start() {
    Stop();
    m_stop.Consume();
    m_counting = false;
    m_steps = 0;
    m_thread = std::thread([this] { Run(); });
}

void MousePreviewThread::Stop() {
    if (!m_thread.joinable()) return;
    m_stop.Set();
    m_thread.join();
}

void MousePreviewThread::Run() {
    int waitMs = 1;
    while (!m_stop.Wait(waitMs)) {
        if (!m_host.IsChannelOpen()) {
            waitMs = kStandbyMs;
            m_counting = false;
            continue;
        }
        waitMs = 1;
        if (m_host.IsLightingHeld()) continue;
        if (RunPass(m_clock.NowMs())) m_host.OnFrameReady();
    }
    DebugLog::Write("MS灯光线程设定退出");
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
