// The mouse's preview worker: steps the current effect into the LED colours of the mouse
// picture while the channel is open.
#pragma once

#include <cstdint>
#include <mutex>

#include "device/model/KeyColourBuffer.h"
#include "device/model/LightingThread.h"
#include "device/model/MousePreviewEffects.h"
#include "device/model/TickCounter.h"
#include "platform/Clock.h"
#include "platform/PacedThread.h"

namespace vestra {

class MousePreviewThread {
public:
    static constexpr int kStandbyMs = 100;  // while the channel is closed
    static constexpr int kHeldMs = 16;      // while synchronised lighting holds the LEDs

    MousePreviewThread(LightingHost& host, KeyColourBuffer& leds, MousePreviewEffects& effects,
                       std::mutex& effectLock, const Clock& clock = SteadyClock::Instance());
    ~MousePreviewThread() { Stop(); }
    MousePreviewThread(const MousePreviewThread&) = delete;
    MousePreviewThread& operator=(const MousePreviewThread&) = delete;

    // Starts the thread, stopping a running one first.
    void Start();
    // Signals the thread and waits for it; it ends within one pass.
    void Stop();
    bool IsRunning() const { return m_worker.IsRunning(); }

    // One pass at clock time nowMs: counts the 2 ms steps and runs a frame when the speed's
    // period is reached. True when a frame was drawn.
    bool RunPass(uint64_t nowMs);

private:
    // What the thread does each time it wakes; returns how long to sleep.
    int Wake();

    LightingHost& m_host;
    KeyColourBuffer& m_leds;
    MousePreviewEffects& m_effects;
    std::mutex& m_effectLock;
    const Clock& m_clock;
    TickCounter m_ticks;
    bool m_counting = false;
    uint64_t m_steps = 0;
    PacedThread m_worker;
};

}  // namespace vestra
