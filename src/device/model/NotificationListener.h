// A worker that waits for the device's notification reports on one interface and hands the
// first usage of each to its owner.
#pragma once

#include <cstdint>
#include <functional>
#include <thread>

#include "hid/HidInterface.h"
#include "platform/StopEvent.h"

namespace vestra {

// Usages the keyboard, mouse, pad and headset report on their notification collection.
inline constexpr uint16_t kSyncRequestUsage = 0x0401;  // read my settings again
inline constexpr uint8_t kProfileSwitchPage = 0x10;    // 0x10s: the active profile slot is s
inline constexpr uint8_t kProfileExtraPage = 0x11;     // 0x11es: slot s with extra value e

class NotificationListener {
public:
    // Called on the listener's thread with the first usage of each report (0 when the report
    // carries none); it must not block for long, since no report is read meanwhile.
    using Handler = std::function<void(uint16_t usage)>;

    NotificationListener() = default;
    ~NotificationListener() { Stop(); }
    NotificationListener(const NotificationListener&) = delete;
    NotificationListener& operator=(const NotificationListener&) = delete;

    // Starts reading the interface, which the caller has opened (or opens later: the thread
    // waits while it is closed). A running listener is stopped first.
    void Start(hid::HidInterface& hid, Handler handler);
    // Wakes the blocked read through the interface's stop event and waits for the thread, which
    // ends within one report. The interface stays open.
    void Stop();
    bool IsRunning() const { return m_thread.joinable(); }

    // The first usage of an input report as the interface's layout unpacks it: the first
    // pressed usage of an array item or the value of a value item; 0 when nothing is set.
    static uint16_t FirstUsage(hid::HidInterface& hid, const uint8_t* report, size_t length);

private:
    void Run(hid::HidInterface& hid, const Handler& handler);

    hid::HidInterface* m_hid = nullptr;
    StopEvent m_stop;
    std::thread m_thread;
};

}  // namespace vestra
