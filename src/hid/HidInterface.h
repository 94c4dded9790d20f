// One HID interface: enumeration list, open handle, identity, report layout and transfers.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "hid/HidBackend.h"
#include "hid/HidCaps.h"
#include "hid/ParsedDescriptor.h"
#include "platform/StopEvent.h"

namespace vestra::hid {

// One entry per button capability, and per usage of a value capability, of one report type.
struct HidDataItem {
    bool isButtonData = false;
    uint16_t usagePage = 0;
    uint32_t status = 0;
    uint32_t reportId = 0;
    bool isDataSet = false;
    // Button data.
    uint32_t usageMin = 0;
    uint32_t usageMax = 0;
    uint32_t maxUsageCount = 0;
    std::vector<uint16_t> usages;  // pressed usages of the last unpack, 0-terminated if shorter
    // Value data.
    uint16_t usage = 0;
    uint32_t value = 0;
    int32_t scaledValue = 0;
};

class HidInterface {
public:
    // The longest device path accepted, terminator excluded (the path field holds 260).
    static constexpr size_t kMaxPathLength = 259;

    HidInterface();  // uses HidBackend::Default()
    explicit HidInterface(HidBackend& backend);
    ~HidInterface();
    HidInterface(const HidInterface&) = delete;
    HidInterface& operator=(const HidInterface&) = delete;

    // Enumeration: the path list lives until FreePaths or destruction.
    bool Enumerate();
    std::optional<std::string> NextPath();
    void FreePaths();
    uint32_t PathCount() const { return m_pathCount; }

    bool Open(const std::string& path, HidAccess access, HidSharing sharing);
    bool Reopen();
    // Safe while another thread is inside Read or Write: that call returns false.
    void Close();
    bool IsOpen() const;

    // One report in or out; false on time-out, stop, or failure, with the byte count 0.
    // timeoutMs -1 waits without limit.
    bool Read(uint8_t* buffer, size_t length, size_t* bytesRead, int timeoutMs);
    bool Write(const uint8_t* buffer, size_t length, size_t* bytesWritten, int timeoutMs);
    // Synchronous output report over the control pipe (the headset's LED registers).
    bool SetOutputReport(const uint8_t* buffer, size_t length);
    // Sets the stop event: a waiting Read or Write returns false.
    void SetStop();

    // Fills the items of the given report type that belong to the report id in byte 0, using
    // the open collection's layout; false when closed or when a value cannot be read.
    bool UnpackReport(const uint8_t* report, size_t length, ReportType type,
                      std::vector<HidDataItem>& items) const;

    // Identity and layout of the open interface (zero when closed).
    uint16_t VendorId() const { return m_attributes.vendorId; }
    uint16_t ProductId() const { return m_attributes.productId; }
    uint16_t VersionNumber() const { return m_attributes.versionNumber; }
    uint16_t UsagePage() const { return m_caps.usagePage; }
    uint16_t Usage() const { return m_caps.usage; }
    const HidCaps& Caps() const { return m_caps; }
    uint32_t InterfaceNumber() const { return m_interfaceNumber; }
    uint32_t CollectionNumber() const { return m_collectionNumber; }
    uint16_t InputReportLength() const { return m_caps.inputReportByteLength; }
    std::vector<uint8_t>& InputReportBuffer() { return ReportBuffer(ReportType::Input); }
    std::vector<HidDataItem>& InputData() { return Data(ReportType::Input); }
    // A zeroed buffer of the type's report length, and one item per capability of the type.
    std::vector<uint8_t>& ReportBuffer(ReportType type) {
        return m_layouts[static_cast<size_t>(type)].buffer;
    }
    std::vector<HidDataItem>& Data(ReportType type) {
        return m_layouts[static_cast<size_t>(type)].items;
    }
    // The open collection's parsed report descriptor; null when closed.
    std::shared_ptr<const ParsedDescriptor> Descriptor() const;
    const std::string& DevicePath() const { return m_devicePath; }

private:
    struct ReportLayout {
        std::vector<uint8_t> buffer;
        std::vector<HidDataItem> items;
    };

    std::shared_ptr<HidDevice> Device() const;
    std::shared_ptr<const ParsedDescriptor> ReadLayout(HidDevice& device);
    void ReleaseLayout();

    HidBackend& m_backend;
    std::vector<std::string> m_paths;
    uint32_t m_pathCount = 0;
    uint32_t m_pathCursor = 0;
    HidAccess m_access = HidAccess::Read;
    HidSharing m_sharing = HidSharing::Shared;
    std::string m_devicePath;
    // The handle and its descriptor are swapped under the mutex; a transfer works on its own
    // copy of the handle, so Close from another thread never frees a descriptor in use.
    mutable std::mutex m_mutex;
    std::shared_ptr<HidDevice> m_device;
    std::shared_ptr<const ParsedDescriptor> m_descriptor;
    HidAttributes m_attributes;
    HidCaps m_caps;
    std::array<ReportLayout, kReportTypeCount> m_layouts;
    uint32_t m_interfaceNumber = 0;
    uint32_t m_collectionNumber = 0;
    StopEvent m_stop;
};

// Path parsing: case-insensitive search for the marker, then hexadecimal digits ("%x");
// 0 when the marker is absent or no digit follows.
uint16_t ParseVid(std::string_view path);
uint16_t ParsePid(std::string_view path);
uint16_t ParseInterface(std::string_view path);
uint16_t ParseCollection(std::string_view path);

}  // namespace vestra::hid
