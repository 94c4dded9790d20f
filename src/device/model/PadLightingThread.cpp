#include "device/model/PadLightingThread.h"

#include "platform/DebugLog.h"

namespace vestra {

PadLightingThread::PadLightingThread(LightingHost& host, PadLightingParts parts,
                                     const char* exitLine, const Clock& clock)
    : m_host(host), m_parts(parts), m_exitLine(exitLine), m_clock(clock) {}

void PadLightingThread::Start() {
    Stop();
    m_stop.Consume();
    m_thread = std::thread(&PadLightingThread::Run, this);
}

void PadLightingThread::Stop() {
    if (!m_thread.joinable()) return;
    m_stop.Set();
    m_thread.join();
}

void PadLightingThread::Run() {
    for (;;) {
        if (m_stop.Wait(RunPass(m_clock.NowMs()))) break;
    }
    DebugLog::Write(m_exitLine);
}

int PadLightingThread::RunPass(uint64_t nowMs) {
    if (!m_host.IsChannelOpen()) return kStandbyMs;
    // Synchronised lighting drives the colours meanwhile.
    if (m_host.IsLightingHeld()) return kPassMs;

    const LightInfoRecord light = m_host.CurrentLightInfo();
    bool drawn = false;
    {
        std::lock_guard lock(m_parts.effectLock);
        m_parts.colours.Update([&](std::span<KeyColour> lights) {
            drawn = m_parts.effects.Pass(light, nowMs, lights);
            PerKeyOverlay& overlay = m_parts.overlay;
            if (overlay.IsActive() && (drawn || nowMs >= overlay.NextFrameMs())) {
                overlay.Apply(nowMs, lights);
                drawn = true;
            }
        });
    }
    if (drawn) m_host.OnFrameReady();
    return kPassMs;
}

}  // namespace vestra
