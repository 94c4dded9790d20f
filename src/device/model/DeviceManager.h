// Finds the supported devices as they come and go, keeps one device object per product with
// its channel opened over the right link, and runs the synchronised lighting.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "device/model/CHalvorinUSBDevice.h"
#include "device/model/DeviceManagerObserver.h"
#include "device/model/SyncLighting.h"
#include "hid/HidBackend.h"
#include "hid/InterfaceSlots.h"
#include "platform/StopEvent.h"

namespace vestra {

// Threads: the discovery thread enumerates and claims interface slotTable and queues what changed;
// the owner's thread runs ProcessEvents, which does all the work on device objects and calls
// the observer. The synchronised lighting thread runs beside both.
class DeviceManager final : private SyncLightingTarget {
public:
    using DeviceFactory =
        std::function<std::unique_ptr<CHalvorinUSBDevice>(hid::DeviceKind, hid::HidBackend&)>;

    static constexpr int kPassIntervalMs = 100;
    // How long after a connection the owner reads the device (the tab's connection timer).
    static constexpr int kConnectDelayMs = 500;
    // The period of the tab's link poll while the device is on its receiver.
    static constexpr int kLinkPollMs = 2000;

    // The observer (not owned) must outlive the manager. Without a factory every kind gets its
    // device class, the headset without an audio library.
    DeviceManager(DeviceManagerObserver& observer,
                  hid::HidBackend& backend = hid::HidBackend::Default(),
                  DeviceFactory factory = {});
    // Stops the threads, then releases the devices.
    ~DeviceManager();
    DeviceManager(const DeviceManager&) = delete;
    DeviceManager& operator=(const DeviceManager&) = delete;

    // Makes the device objects the window always has (mouse and keyboard), without events.
    void CreateInitialDevices();
    // Starts the discovery and synchronised lighting threads.
    void Start();
    // Signals both threads and waits for them; each ends within one step. Queued events are
    // dropped. The device objects stay until the manager is destroyed.
    void Stop();

    // Called from the discovery thread (no lock held) each time it queues events, so that a
    // window can schedule ProcessEvents on its own thread. Set before Start.
    void SetEventsQueuedCallback(std::function<void()> callback);
    // Waits up to timeoutMs for queued events; true when there are some.
    bool WaitForEvents(int timeoutMs);
    // Handles every queued event on the calling thread (the owner's); returns how many.
    size_t ProcessEvents();

    // Device objects in order of creation.
    std::vector<CHalvorinUSBDevice*> Devices() const;
    // The device object of a kind; null before that kind was first seen.
    CHalvorinUSBDevice* DeviceOf(hid::DeviceKind kind) const;
    // The link a device was last attached or switched over.
    DeviceLink LinkOf(const CHalvorinUSBDevice& device) const;

    // Synchronised lighting: which devices take part (their own lighting pauses meanwhile)
    // and with what settings.
    void SetSyncMember(CHalvorinUSBDevice& device, bool member);
    bool IsSyncMember(const CHalvorinUSBDevice& device) const;
    SyncLighting& Sync() { return m_sync; }

private:
    enum class EventType { FirstPassDone, Added, Removed };
    struct Event {
        EventType type = EventType::FirstPassDone;
        size_t slot = 0;
        hid::InterfaceSlots slotTable;  // as they were right after this change
    };
    struct ManagedDevice {
        std::unique_ptr<CHalvorinUSBDevice> device;
        hid::DeviceKind kind;
        DeviceLink link = DeviceLink::Cable;
        std::atomic<bool> syncMember{false};
    };

    // Discovery thread.
    void RunDiscovery();
    void DiscoveryPass(hid::InterfaceSlots& slotTable, bool& firstPassQueued);
    void Queue(std::vector<Event> events);

    // Owner's thread.
    void OnInterfaceAdded(const Event& event);
    void OnInterfaceRemoved(const Event& event);
    void AttachConfiguration(const hid::InterfaceSlots& slotTable, size_t slot);
    void DetachConfiguration(const hid::InterfaceSlots& slotTable, size_t slot);
    void AttachNotification(const hid::InterfaceSlots& slotTable, size_t slot);
    void DetachNotification(const hid::InterfaceSlots& slotTable, size_t slot);
    void SwitchLink(ManagedDevice& managed, const hid::InterfaceSlots& slotTable,
                    DeviceLink target);
    ManagedDevice* CreateDevice(hid::DeviceKind kind);
    // The device whose identity is the product behind the slot.
    ManagedDevice* Find(const hid::InterfaceSlots& slotTable, size_t slot);
    ManagedDevice* Find(const CHalvorinUSBDevice& device) const;

    // SyncLightingTarget, on the lighting thread.
    bool IsSyncActive() override;
    void SendSyncColour(uint32_t colour) override;

    DeviceManagerObserver& m_observer;
    hid::HidBackend& m_backend;
    DeviceFactory m_factory;

    // The list only grows; the lighting thread reads it under the lock.
    mutable std::mutex m_devicesLock;
    std::vector<std::unique_ptr<ManagedDevice>> m_devices;

    std::mutex m_queueLock;
    std::condition_variable m_queued;
    std::deque<Event> m_events;
    std::function<void()> m_eventsQueued;

    std::atomic<bool> m_exiting{false};
    StopEvent m_stop;
    std::thread m_discovery;
    SyncLighting m_sync;
};

}  // namespace vestra
