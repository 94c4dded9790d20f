// The lighting worker of the mouse pad and the headset: a pass of their effects every other
// millisecond, with the per-light overlay laid over what it drew.
#pragma once

#include <cstdint>
#include <mutex>
#include <thread>

#include "device/model/KeyColourBuffer.h"
#include "device/model/LightingThread.h"
#include "device/model/PadEffects.h"
#include "device/model/PerKeyOverlay.h"
#include "platform/Clock.h"
#include "platform/StopEvent.h"

namespace vestra {

struct PadLightingParts {
    KeyColourBuffer& colours;
    PadEffects& effects;
    PerKeyOverlay& overlay;
    std::mutex& effectLock;  // guards effects and overlay; taken before the colour lock
};

class PadLightingThread {
public:
    static constexpr int kPassMs = 2;       // the step periods are counted in these passes
    static constexpr int kStandbyMs = 100;  // while the channel is closed

    // exitLine is written to the debug output when the thread ends.
    PadLightingThread(LightingHost& host, PadLightingParts parts, const char* exitLine,
                      const Clock& clock = SteadyClock::Instance());
    ~PadLightingThread() { Stop(); }
    PadLightingThread(const PadLightingThread&) = delete;
    PadLightingThread& operator=(const PadLightingThread&) = delete;

    void Start();
    void Stop();
    bool IsRunning() const { return m_thread.joinable(); }

    // One pass at clock time nowMs; returns how long to wait before the next.
    int RunPass(uint64_t nowMs);

private:
    void Run();

    LightingHost& m_host;
    PadLightingParts m_parts;
    const char* m_exitLine;
    const Clock& m_clock;
    StopEvent m_stop;
    std::thread m_thread;
};

}  // namespace vestra
