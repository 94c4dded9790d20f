// One HID interface: enumeration list, open handle, identity, report layout and transfers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "hid/HidBackend.h"
#include "platform/StopEvent.h"

namespace vestra::hid {

enum class ReportType { Input, Output, Feature };

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

// What HidP_GetCaps reports for one top-level collection. Lengths include the report id byte.
struct HidCaps {
    uint16_t usage = 0;
    uint16_t usagePage = 0;
    uint16_t inputReportByteLength = 0;
    uint16_t outputReportByteLength = 0;
    uint16_t featureReportByteLength = 0;
    uint16_t numberInputButtonCaps = 0;
    uint16_t numberInputValueCaps = 0;
    uint16_t numberOutputButtonCaps = 0;
    uint16_t numberOutputValueCaps = 0;
    uint16_t numberFeatureButtonCaps = 0;
    uint16_t numberFeatureValueCaps = 0;
};

class ParsedDescriptor;

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

    // Fills the items of the given report type that belong to the report id in byte 0.
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
    std::vector<uint8_t>& InputReportBuffer() { return m_inputReport; }
    std::vector<HidDataItem>& InputData() { return m_inputData; }
    const std::string& DevicePath() const { return m_devicePath; }

private:
    // ... implementation fields (backend, handle, parsed descriptor, per-type buffers and
    // data items, stop event, busy flags) are the implementer's.
    HidBackend& m_backend;
    std::vector<std::string> m_paths;
    uint32_t m_pathCount = 0;
    uint32_t m_pathCursor = 0;
    HidAccess m_access = HidAccess::Read;
    HidSharing m_sharing = HidSharing::Shared;
    std::string m_devicePath;
    HidAttributes m_attributes;
    HidCaps m_caps;
    std::vector<uint8_t> m_inputReport;
    std::vector<HidDataItem> m_inputData;
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
