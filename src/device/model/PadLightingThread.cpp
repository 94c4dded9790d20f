#include "device/model/PadLightingThread.h"

#include <algorithm>

namespace vestra {

PadLightingThread::PadLightingThread(LightingHost& host, PadLightingParts parts,
                                     const char* exitLine, const Clock& clock)
    : m_host(host), m_parts(parts), m_exitLine(exitLine), m_clock(clock) {}

void PadLightingThread::Start() {
    m_worker.Stop();
    m_counting = false;
    m_worker.Start([this] { return RunPass(m_clock.NowMs()); }, m_exitLine);
}

void PadLightingThread::Stop() {
    m_worker.Stop();
}

int PadLightingThread::RunPass(uint64_t nowMs) {
    if (!m_host.IsChannelOpen()) {
        m_counting = false;
        return kStandbyMs;
    }
    // Synchronised lighting drives the colours meanwhile.
    if (m_host.IsLightingHeld()) {
        m_counting = false;
        return kWakeMs;
    }
    // The effects count their periods in 2 ms passes; the thread wakes once a frame and runs
    // the passes that fell due meanwhile (a bounded number after a stall), the first at once.
    uint64_t passes = 1;
    if (m_counting) {
        passes = std::min<uint64_t>(m_ticks.Advance(nowMs), kMaxPassesPerWake);
    } else {
        m_ticks.Restart(nowMs);
        m_counting = true;
    }

    const LightInfoRecord light = m_host.CurrentLightInfo();
    bool drawn = false;
    {
        std::lock_guard lock(m_parts.effectLock);
        m_parts.colours.Update([&](std::span<KeyColour> lights) {
            for (uint64_t i = 0; i < passes; ++i)
                drawn |= m_parts.effects.Pass(light, nowMs, lights);
            PerKeyOverlay& overlay = m_parts.overlay;
            if (overlay.IsActive() && (drawn || nowMs >= overlay.NextFrameMs())) {
                overlay.Apply(nowMs, lights);
                drawn = true;
            }
        });
    }
    if (drawn) m_host.OnFrameReady();
    return kWakeMs;
}

}  // namespace vestra
