// The keyboard's lighting worker: steps the current effect into the key colours on the 2 ms tick.
#pragma once

#include <cstdint>
#include <mutex>

#include "device/model/KeyColourBuffer.h"
#include "device/model/KeyboardEffects.h"
#include "device/model/PerKeyOverlay.h"
#include "device/model/TickCounter.h"
#include "platform/Clock.h"
#include "platform/PacedThread.h"
#include "profile/ProfileRecords.h"

namespace vestra {

// What the lighting thread asks of its device.
class LightingHost {
public:
    virtual ~LightingHost() = default;
    virtual bool IsChannelOpen() const = 0;
    // Set while synchronised lighting drives the device's colours; the thread then stands by.
    virtual bool IsLightingHeld() const = 0;
    // A copy of the device's light state, taken under the device's own lock.
    virtual LightInfoRecord CurrentLightInfo() const = 0;
    // The key colours changed; called with no lock held.
    virtual void OnFrameReady() = 0;
};

// The device's lighting buffers that the thread animates.
struct KeyboardLightingParts {
    KeyColourBuffer& colours;
    KeyboardEffects& effects;
    PerKeyOverlay& overlay;
    std::mutex& effectLock;  // guards effects and overlay; taken before the colour lock
};

class LightingThread {
public:
    // How long the thread stands by while the channel is closed or the lighting is held, and
    // how often it looks at the mode while the mode has no generator.
    static constexpr int kStandbyMs = 100;

    LightingThread(LightingHost& host, KeyboardLightingParts parts,
                   const Clock& clock = SteadyClock::Instance());
    ~LightingThread() { Stop(); }
    LightingThread(const LightingThread&) = delete;
    LightingThread& operator=(const LightingThread&) = delete;

    // Starts the thread, stopping a running one first.
    void Start();
    // Signals the thread and waits for it; it ends within one pass.
    void Stop();
    bool IsRunning() const { return m_worker.IsRunning(); }

    // One pass at clock time nowMs: counts the ticks, runs the generator's steps that are due,
    // then lays the per-key overlay over them. Returns how many milliseconds the loop may
    // sleep: until the next step or overlay change, but at least a frame after a drawn pass
    // (steps due meanwhile run together on the next pass).
    int RunPass(uint64_t nowMs);

private:
    LightingHost& m_host;
    KeyboardLightingParts m_parts;
    const Clock& m_clock;
    TickCounter m_ticks;
    uint64_t m_tickCount = 0;
    bool m_counting = false;
    PacedThread m_worker;
};

}  // namespace vestra
