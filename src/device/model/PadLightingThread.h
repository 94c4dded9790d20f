// The lighting worker of the mouse pad and the headset: a pass of their effects every other
// millisecond (run a frame's worth at a time), with the per-light overlay laid over what it drew.
#pragma once

#include <cstdint>
#include <mutex>

#include "device/model/KeyColourBuffer.h"
#include "device/model/LightingThread.h"
#include "device/model/PadEffects.h"
#include "device/model/PerKeyOverlay.h"
#include "device/model/TickCounter.h"
#include "platform/Clock.h"
#include "platform/PacedThread.h"

namespace vestra {

struct PadLightingParts {
    KeyColourBuffer& colours;
    PadEffects& effects;
    PerKeyOverlay& overlay;
    std::mutex& effectLock;  // guards effects and overlay; taken before the colour lock
};

class PadLightingThread {
public:
    static constexpr int kPassMs = 2;   // the step periods are counted in these passes
    static constexpr int kWakeMs = 16;  // how often the thread looks: one frame
    static constexpr uint64_t kMaxPassesPerWake = 64;
    static constexpr int kStandbyMs = 100;  // while the channel is closed

    // exitLine is written to the debug output when the thread ends.
    PadLightingThread(LightingHost& host, PadLightingParts parts, const char* exitLine,
                      const Clock& clock = SteadyClock::Instance());
    ~PadLightingThread() { Stop(); }
    PadLightingThread(const PadLightingThread&) = delete;
    PadLightingThread& operator=(const PadLightingThread&) = delete;

    void Start();
    void Stop();
    bool IsRunning() const { return m_worker.IsRunning(); }

    // The passes due at clock time nowMs; returns how long to wait before looking again.
    int RunPass(uint64_t nowMs);

private:
    LightingHost& m_host;
    PadLightingParts m_parts;
    const char* m_exitLine;
    const Clock& m_clock;
    TickCounter m_ticks;      // on the thread only
    bool m_counting = false;  // false: the next pass restarts the count
    PacedThread m_worker;
};

}  // namespace vestra
