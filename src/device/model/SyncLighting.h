// Synchronised lighting: one host-computed colour given to every participating device in step.
#pragma once

#include <cstdint>
#include <mutex>

#include "device/model/LightTables.h"
#include "device/model/TickCounter.h"
#include "platform/Clock.h"
#include "platform/PacedThread.h"

namespace vestra {

enum SyncLightMode : uint8_t {
    kSyncBreathing = 0,
    kSyncSteady = 1,
    kSyncBlinking = 2,
    kSyncColourCycle = 3,
    kSyncOff = 4,  // modes above this run nothing
};

// Process-wide settings, set from the lighting panel.
struct SyncLightSettings {
    uint8_t mode = kSyncBreathing;
    uint8_t brightness = 4;  // level 0-4
    uint8_t speed = 2;       // level 0-4
    uint8_t direction = 1;   // non-zero forwards
    uint8_t multiColor = 0;
    Rgb colour{255, 0, 0};
};

// Where the colour goes; implemented by the device manager.
class SyncLightingTarget {
public:
    virtual ~SyncLightingTarget() = default;
    // True when some device has its main channel open and is marked for synchronisation.
    virtual bool IsSyncActive() = 0;
    // Hands the colour (red | green << 8 | blue << 16 | brightness << 24) to every device.
    virtual void SendSyncColour(uint32_t colour) = 0;
};

class SyncLighting {
public:
    static constexpr int kInactiveWaitMs = 1000;
    static constexpr int kIdleWaitMs = 100;  // for a mode that runs nothing

    explicit SyncLighting(SyncLightingTarget& target, const Clock& clock = SteadyClock::Instance());
    ~SyncLighting() { Stop(); }
    SyncLighting(const SyncLighting&) = delete;
    SyncLighting& operator=(const SyncLighting&) = delete;

    // Thread-safe.
    void SetSettings(const SyncLightSettings& settings);
    SyncLightSettings Settings() const;

    // Starts the thread, stopping a running one first.
    void Start();
    // Signals the thread and waits for it; it ends within one pass.
    void Stop();
    bool IsRunning() const { return m_worker.IsRunning(); }

    // One pass at clock time nowMs: while synchronisation is active, counts 2 ms ticks and runs
    // a step of the mode each time the count reaches the speed's threshold, sending its colour.
    // Returns how many milliseconds the loop may sleep before the next pass is due.
    int RunPass(uint64_t nowMs);

    // One step of the mode of settings; the colour it sends.
    uint32_t Step(const SyncLightSettings& settings, uint64_t nowMs);

    static uint32_t PackColour(Rgb colour, uint8_t brightness) {
        return colour.red | colour.green << 8 | colour.blue << 16 |
               static_cast<uint32_t>(brightness) << 24;
    }

private:
    SyncLightingTarget& m_target;
    const Clock& m_clock;
    mutable std::mutex m_settingsLock;
    SyncLightSettings m_settings;
    uint8_t m_breathingPosition = 0;
    uint8_t m_wheelPosition = 0;
    uint8_t m_blinkPosition = 0;
    bool m_blinkOn = false;
    uint64_t m_lastBlinkMs = 0;
    TickCounter m_ticks;
    uint64_t m_stepCount = 0;
    bool m_counting = false;
    PacedThread m_worker;
};

}  // namespace vestra
