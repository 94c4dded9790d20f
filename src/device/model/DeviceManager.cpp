#include "device/model/DeviceManager.h"

#include <chrono>

#include "device/model/CHalvorinHS6533Device.h"
#include "device/model/CHalvorinKeyboardDevice.h"
#include "device/model/CHalvorinMouseDevice.h"
#include "device/model/CHalvorinMousePadDevice.h"
#include "device/model/LinkSwitch.h"
#include "hid/DeviceKind.h"
#include "hid/DiscoveryPass.h"
#include "hid/HidInterface.h"
#include "hid/InterfaceTable.h"
#include "platform/DebugLog.h"

namespace vestra {
namespace {

using hid::DeviceKind;
using hid::InterfaceEntry;
using hid::InterfaceRole;
using hid::InterfaceSlots;
using hid::ProductCode;

std::unique_ptr<CHalvorinUSBDevice> MakeDevice(DeviceKind kind, hid::HidBackend& backend) {
    if (kind == DeviceKind::Keyboard) return std::make_unique<CHalvorinKeyboardDevice>(backend);
    if (kind == DeviceKind::Mouse) return std::make_unique<CHalvorinMouseDevice>(backend);
    if (kind == DeviceKind::MousePad) return std::make_unique<CHalvorinMousePadDevice>(backend);
    // Without a factory the headset has no audio library: its audio half stays inactive.
    if (kind == DeviceKind::Headset) return std::make_unique<CHalvorinHS6533Device>(backend);
    return std::make_unique<CHalvorinUSBDevice>(kind, backend);
}

const hid::DeviceKindRow* KindRow(DeviceKind kind) {
    for (const hid::DeviceKindRow& row : hid::DeviceKinds()) {
        if (row.productCode == static_cast<ProductCode>(kind)) return &row;
    }
    return nullptr;
}

// Keyboards and mice are the products that can switch between cable and receiver.
bool IsSwitchableCable(ProductCode code) {
    return code == ProductCode::Keyboard || code == ProductCode::Mouse;
}

// The table row of an entry, or -1.
int RowOf(const InterfaceEntry& entry) {
    const auto rows = hid::SupportedInterfaces();
    for (size_t row = 0; row < rows.size(); ++row) {
        if (hid::SameIdentity(rows[row], entry)) return static_cast<int>(row);
    }
    return -1;
}

void LogArrival(DeviceKind kind, bool added) {
    switch (kind) {
        case DeviceKind::Keyboard:
            DebugLog::Write(added ? "添加一个键盘设备" : "删除一个键盘设备");
            break;
        case DeviceKind::Mouse:
            DebugLog::Write(added ? "添加一个鼠标设备" : "删除一个鼠标设备");
            break;
        case DeviceKind::MousePad:
            DebugLog::Write(added ? "添加一个鼠标垫设备" : "删除一个鼠标垫设备");
            break;
        case DeviceKind::Headset:
            break;
    }
}

}  // namespace

DeviceManager::DeviceManager(DeviceManagerObserver& observer, hid::HidBackend& backend,
                             DeviceFactory factory)
    : m_observer(observer),
      m_backend(backend),
      m_factory(factory ? std::move(factory) : DeviceFactory(MakeDevice)),
      m_sync(*this) {}

DeviceManager::~DeviceManager() {
    Stop();
}

void DeviceManager::CreateInitialDevices() {
    for (DeviceKind kind : {DeviceKind::Mouse, DeviceKind::Keyboard}) {
        if (!DeviceOf(kind)) CreateDevice(kind);
    }
}

void DeviceManager::Start() {
    Stop();
    m_exiting = false;
    m_stop.Consume();
    m_discovery = std::thread([this] { RunDiscovery(); });
    m_sync.Start();
}

void DeviceManager::Stop() {
    m_exiting = true;
    if (m_discovery.joinable()) {
        m_stop.Set();
        m_discovery.join();
        DebugLog::Write("所有对象处于激发状态");
    }
    if (m_sync.IsRunning()) {
        m_sync.Stop();
        DebugLog::Write("所有对象处于激发状态");
    }
    std::lock_guard lock(m_queueLock);
    m_events.clear();
}

void DeviceManager::SetEventsQueuedCallback(std::function<void()> callback) {
    m_eventsQueued = std::move(callback);
}

bool DeviceManager::WaitForEvents(int timeoutMs) {
    std::unique_lock lock(m_queueLock);
    return m_queued.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                             [this] { return !m_events.empty(); });
}

size_t DeviceManager::ProcessEvents() {
    std::deque<Event> events;
    {
        std::lock_guard lock(m_queueLock);
        events.swap(m_events);
    }
    for (const Event& event : events) {
        switch (event.type) {
            case EventType::FirstPassDone:
                m_observer.OnFirstPassDone();
                break;
            case EventType::Added:
                OnInterfaceAdded(event);
                break;
            case EventType::Removed:
                OnInterfaceRemoved(event);
                break;
        }
    }
    return events.size();
}

std::vector<CHalvorinUSBDevice*> DeviceManager::Devices() const {
    std::lock_guard lock(m_devicesLock);
    std::vector<CHalvorinUSBDevice*> devices;
    for (const auto& managed : m_devices) devices.push_back(managed->device.get());
    return devices;
}

CHalvorinUSBDevice* DeviceManager::DeviceOf(DeviceKind kind) const {
    std::lock_guard lock(m_devicesLock);
    for (const auto& managed : m_devices) {
        if (managed->kind == kind) return managed->device.get();
    }
    return nullptr;
}

DeviceLink DeviceManager::LinkOf(const CHalvorinUSBDevice& device) const {
    const ManagedDevice* managed = Find(device);
    return managed ? managed->link : DeviceLink::Cable;
}

void DeviceManager::SetSyncMember(CHalvorinUSBDevice& device, bool member) {
    ManagedDevice* managed = Find(device);
    if (!managed) return;
    managed->syncMember = member;
    // The device's own lighting steps aside while the shared colour drives it.
    device.Channel().SetLightingHold(member);
}

bool DeviceManager::IsSyncMember(const CHalvorinUSBDevice& device) const {
    const ManagedDevice* managed = Find(device);
    return managed && managed->syncMember;
}

// --- Discovery thread ---

void DeviceManager::RunDiscovery() {
    InterfaceSlots slotTable;
    bool firstPassQueued = false;
    while (!m_stop.Wait(0)) {
        DiscoveryPass(slotTable, firstPassQueued);
        if (m_stop.Wait(kPassIntervalMs)) break;
    }
    DebugLog::Write("抓取设备线程设定退出");
}

void DeviceManager::DiscoveryPass(InterfaceSlots& slotTable, bool& firstPassQueued) {
    std::vector<Event> events;
    // Enumerating is only worth it while some slot can still be claimed.
    if (slotTable.AnyFree()) {
        const InterfaceSlots before = slotTable;
        hid::HidInterface probe(m_backend);
        const hid::DiscoveryResult found = hid::RunDiscoveryPass(slotTable, probe);
        // A failed enumeration is tried again next pass: open devices keep working, and
        // arrivals are seen once the machine lists its interfaces again.
        if (!found.enumerated) DebugLog::Write("HID enumeration failed");
        // Each arrival is handled against the slotTable as they were right after its own claim,
        // so that a cable and a receiver found in one pass attach one after the other.
        InterfaceSlots running = before;
        for (size_t slot : found.claimed) {
            InterfaceEntry probeEntry = slotTable.At(slot);
            probeEntry.connected = false;
            running.Claim(probeEntry);
            events.push_back({EventType::Added, slot, running});
        }
        if (!firstPassQueued) {
            events.push_back({EventType::FirstPassDone, 0, slotTable});
            firstPassQueued = true;
        }
    }
    // A connected interface is gone once its path no longer opens.
    for (size_t slot = 0; slot < slotTable.Count(); ++slot) {
        const InterfaceEntry& entry = slotTable.At(slot);
        if (!entry.connected) continue;
        if (m_backend.Open(entry.devicePath, hid::HidAccess::Read, hid::HidSharing::Shared)) {
            continue;
        }
        slotTable.Release(slot);
        events.push_back({EventType::Removed, slot, slotTable});
    }
    if (!events.empty()) Queue(std::move(events));
}

void DeviceManager::Queue(std::vector<Event> events) {
    {
        std::lock_guard lock(m_queueLock);
        for (Event& event : events) m_events.push_back(std::move(event));
    }
    m_queued.notify_all();
    if (m_eventsQueued) m_eventsQueued();
}

// --- Owner's thread ---

void DeviceManager::OnInterfaceAdded(const Event& event) {
    if (event.slot >= event.slotTable.Count()) return;
    const InterfaceEntry& entry = event.slotTable.At(event.slot);
    const std::optional<DeviceKind> kind = hid::KindOf(entry.productCode);
    if (!kind) return;
    LogArrival(*kind, true);
    if (!Find(event.slotTable, event.slot)) CreateDevice(*kind);
    if (entry.role == InterfaceRole::Configuration) {
        AttachConfiguration(event.slotTable, event.slot);
    } else {
        AttachNotification(event.slotTable, event.slot);
    }
}

void DeviceManager::OnInterfaceRemoved(const Event& event) {
    if (event.slot >= event.slotTable.Count()) return;
    const InterfaceEntry& entry = event.slotTable.At(event.slot);
    const std::optional<DeviceKind> kind = hid::KindOf(entry.productCode);
    if (!kind) return;
    LogArrival(*kind, false);
    if (entry.role == InterfaceRole::Configuration) {
        DetachConfiguration(event.slotTable, event.slot);
    } else {
        DetachNotification(event.slotTable, event.slot);
    }
}

void DeviceManager::AttachConfiguration(const InterfaceSlots& slotTable, size_t slot) {
    const InterfaceEntry& entry = slotTable.At(slot);
    ManagedDevice* managed = Find(slotTable, slot);
    if (slotTable.PartnerLinkActive(slot)) {
        // Already reachable over its receiver: a cable arriving takes over. A receiver
        // arriving beside the cable changes nothing.
        if (managed && IsSwitchableCable(entry.productCode)) {
            SwitchLink(*managed, slotTable, DeviceLink::Cable);
        }
        return;
    }
    if (!managed) return;
    CHalvorinUSBDevice& device = *managed->device;
    protocol::DeviceChannel& channel = device.Channel();
    if (channel.IsOpen()) return;

    const bool receiver = hid::IsReceiver(entry.productCode);
    bool opened;
    {
        std::lock_guard io(channel.IoLock());
        hid::HidInterface& handle = receiver ? channel.ReceiverHandle() : channel.WiredHandle();
        opened = handle.Open(entry.devicePath, hid::HidAccess::ReadWrite, hid::HidSharing::Shared);
    }
    const DeviceLink link = receiver ? DeviceLink::Receiver : DeviceLink::Cable;
    if (opened) {
        channel.SetOpen(true);
        channel.SetConnectionType(receiver ? protocol::kConnectionReceiver
                                           : protocol::kConnectionCable);
        if (std::optional<InterfaceEntry> identity = slotTable.ConfigurationEntryOf(slot)) {
            device.SetIdentity(*identity);
        }
        managed->link = link;
        // The headset has one interface: its notifications come on the configuration path.
        if (auto* headset = dynamic_cast<CHalvorinHS6533Device*>(&device))
            headset->StartListener(entry.devicePath);
    }
    // Through the receiver the tab waits until the device answers there.
    if (!receiver) m_observer.OnShowTab(device);
    m_observer.OnDeviceAttached(device, link);
}

void DeviceManager::DetachConfiguration(const InterfaceSlots& slotTable, size_t slot) {
    const InterfaceEntry& entry = slotTable.At(slot);
    ManagedDevice* managed = Find(slotTable, slot);
    if (slotTable.PartnerLinkActive(slot)) {
        // The cable went while the receiver stays: carry on over the receiver. A receiver
        // going while the cable stays changes nothing.
        if (managed && IsSwitchableCable(entry.productCode)) {
            SwitchLink(*managed, slotTable, DeviceLink::Receiver);
        }
        return;
    }
    const std::optional<DeviceKind> kind = hid::KindOf(entry.productCode);
    if (kind == DeviceKind::Mouse) DebugLog::Write("鼠标设备丢失");
    if (kind == DeviceKind::Keyboard) DebugLog::Write("键盘设备丢失");
    if (!managed) return;
    CHalvorinUSBDevice& device = *managed->device;
    if (auto* headset = dynamic_cast<CHalvorinHS6533Device*>(&device)) headset->StopListener();
    protocol::DeviceChannel& channel = device.Channel();
    {
        std::lock_guard io(channel.IoLock());
        channel.SetOpen(false);
        channel.WiredHandle().Close();
        channel.ReceiverHandle().Close();
    }
    m_observer.OnHideTab(device);
    m_observer.OnDeviceRemoved(device);
}

void DeviceManager::AttachNotification(const InterfaceSlots& slotTable, size_t slot) {
    ManagedDevice* managed = Find(slotTable, slot);
    if (!managed) return;
    const InterfaceEntry& entry = slotTable.At(slot);
    CHalvorinUSBDevice* device = managed->device.get();
    if (auto* keyboard = dynamic_cast<CHalvorinKeyboardDevice*>(device)) {
        keyboard->StartListener(entry.devicePath, entry.productCode);
    } else if (auto* mouse = dynamic_cast<CHalvorinMouseDevice*>(device)) {
        mouse->StartListener(entry.devicePath, entry.productCode);
    } else if (auto* pad = dynamic_cast<CHalvorinMousePadDevice*>(device)) {
        pad->StartListener(entry.devicePath);
    }
}

void DeviceManager::DetachNotification(const InterfaceSlots& slotTable, size_t slot) {
    ManagedDevice* managed = Find(slotTable, slot);
    if (!managed) return;
    CHalvorinUSBDevice* device = managed->device.get();
    if (auto* pad = dynamic_cast<CHalvorinMousePadDevice*>(device)) {
        pad->StopListener();
        return;
    }
    auto* keyboard = dynamic_cast<CHalvorinKeyboardDevice*>(device);
    auto* mouse = dynamic_cast<CHalvorinMouseDevice*>(device);
    if (!keyboard && !mouse) return;
    // Keyboards and mice stop their listeners together; the one on the other link, when its
    // interface is still there, starts again.
    if (keyboard) keyboard->StopListeners();
    if (mouse) mouse->StopListeners();
    const InterfaceEntry& entry = slotTable.At(slot);
    if (!entry.hasPartner || entry.partnerIndex >= slotTable.Count()) return;
    const InterfaceEntry& partner = slotTable.At(entry.partnerIndex);
    if (!partner.connected || partner.devicePath.empty()) return;
    if (keyboard) keyboard->StartListener(partner.devicePath, partner.productCode);
    if (mouse) mouse->StartListener(partner.devicePath, partner.productCode);
}

void DeviceManager::SwitchLink(ManagedDevice& managed, const InterfaceSlots& slotTable,
                               DeviceLink target) {
    CHalvorinUSBDevice& device = *managed.device;
    const int cableRow = RowOf(device.Identity());
    if (cableRow < 0) return;
    const InterfaceEntry& cable = hid::SupportedInterfaces()[cableRow];
    if (!cable.hasPartner || cable.partnerIndex >= slotTable.Count()) return;
    const bool toCable = target == DeviceLink::Cable;
    const std::string& path =
        slotTable.At(toCable ? static_cast<size_t>(cableRow) : cable.partnerIndex).devicePath;

    protocol::DeviceChannel& channel = device.Channel();
    bool opened = false;
    {
        std::lock_guard io(channel.IoLock());
        channel.SetOpen(false);
        hid::HidInterface& handle = toCable ? channel.WiredHandle() : channel.ReceiverHandle();
        handle.Close();
        if (!path.empty()) {
            opened = handle.Open(path, hid::HidAccess::ReadWrite, hid::HidSharing::Shared);
        }
    }
    // A failed open leaves the channel closed until the product's next arrival or removal.
    if (!opened) return;
    channel.SetOpen(true);
    managed.link = target;
    const hid::DeviceKindRow* row = KindRow(managed.kind);
    const bool wireless = row && row->wireless;
    if (!toCable) {
        channel.SetConnectionType(protocol::kConnectionReceiver);
        if (wireless) WaitForLink(channel, m_exiting);
        DebugLog::Write("获取2");
        device.ReadPowerStatus();
        m_observer.OnLinkChanged(device, DeviceLink::Receiver);
        return;
    }
    channel.SetConnectionType(protocol::kConnectionCable);
    m_observer.OnLinkChanged(device, DeviceLink::Cable);
    m_observer.OnShowTab(device);
    if (wireless) device.ReadPowerStatus();
}

DeviceManager::ManagedDevice* DeviceManager::CreateDevice(DeviceKind kind) {
    const hid::DeviceKindRow* row = KindRow(kind);
    if (!row) return nullptr;
    std::unique_ptr<CHalvorinUSBDevice> device = m_factory(kind, m_backend);
    if (!device) return nullptr;
    const int configurationRow =
        hid::FindInterfaceRow(row->vendorId, row->productId, row->productCode, row->role);
    if (configurationRow >= 0) {
        device->SetIdentity(hid::SupportedInterfaces()[configurationRow]);
    }
    device->SetModelIndex(row->modelIndex);

    auto managed = std::make_unique<ManagedDevice>();
    managed->device = std::move(device);
    managed->kind = kind;
    ManagedDevice* created = managed.get();
    {
        std::lock_guard lock(m_devicesLock);
        m_devices.push_back(std::move(managed));
    }
    m_observer.OnDeviceAdded(*created->device);
    return created;
}

DeviceManager::ManagedDevice* DeviceManager::Find(const InterfaceSlots& slotTable, size_t slot) {
    const std::optional<InterfaceEntry> identity = slotTable.ConfigurationEntryOf(slot);
    if (!identity) return nullptr;
    std::lock_guard lock(m_devicesLock);
    for (const auto& managed : m_devices) {
        if (hid::SameIdentity(managed->device->Identity(), *identity)) return managed.get();
    }
    return nullptr;
}

DeviceManager::ManagedDevice* DeviceManager::Find(const CHalvorinUSBDevice& device) const {
    std::lock_guard lock(m_devicesLock);
    for (const auto& managed : m_devices) {
        if (managed->device.get() == &device) return managed.get();
    }
    return nullptr;
}

// --- Synchronised lighting thread ---

bool DeviceManager::IsSyncActive() {
    std::lock_guard lock(m_devicesLock);
    for (const auto& managed : m_devices) {
        if (managed->syncMember && managed->device->Channel().IsOpen()) return true;
    }
    return false;
}

void DeviceManager::SendSyncColour(uint32_t colour) {
    const protocol::KeyColour key{static_cast<uint8_t>(colour), static_cast<uint8_t>(colour >> 8),
                                  static_cast<uint8_t>(colour >> 16),
                                  static_cast<uint8_t>(colour >> 24)};
    std::vector<CHalvorinUSBDevice*> members;
    {
        std::lock_guard lock(m_devicesLock);
        for (const auto& managed : m_devices) {
            if (managed->syncMember) members.push_back(managed->device.get());
        }
    }
    for (CHalvorinUSBDevice* device : members) {
        for (int i = 0; i < device->LightButtonCount(); ++i) device->SetKeyColour(i, key);
        device->RefreshKeyColours();
    }
}

}  // namespace vestra
