#include "hid/HidInterface.h"

#include <algorithm>
#include <cctype>

#include "hid/ReportDescriptorParser.h"
#include "platform/DebugLog.h"

namespace vestra::hid {
namespace {

std::vector<HidDataItem> BuildItems(const ParsedDescriptor& descriptor, ReportType type) {
    const std::vector<HidButtonCaps>& buttons = descriptor.ButtonCaps(type);
    const std::vector<HidValueCaps>& values = descriptor.ValueCaps(type);
    size_t count = buttons.size();
    for (const HidValueCaps& caps : values) count += caps.usageMax - caps.usageMin + 1u;

    std::vector<HidDataItem> items;
    items.reserve(count);
    for (const HidButtonCaps& caps : buttons) {
        HidDataItem& item = items.emplace_back();
        item.isButtonData = true;
        item.usagePage = caps.usagePage;
        item.reportId = caps.reportId;
        item.usageMin = caps.usageMin;
        item.usageMax = caps.usageMax;
        item.maxUsageCount = descriptor.MaxUsageListLength(type, caps.usagePage);
        item.usages.assign(item.maxUsageCount, 0);
    }
    for (const HidValueCaps& caps : values) {
        for (uint32_t usage = caps.usageMin; usage <= caps.usageMax; ++usage) {
            HidDataItem& item = items.emplace_back();
            item.usagePage = caps.usagePage;
            item.reportId = caps.reportId;
            item.usage = static_cast<uint16_t>(usage);
        }
    }
    return items;
}

uint16_t ParseMarker(std::string_view path, std::string_view marker) {
    auto equal = [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) ==
               std::tolower(static_cast<unsigned char>(b));
    };
    auto found = std::search(path.begin(), path.end(), marker.begin(), marker.end(), equal);
    if (found == path.end()) return 0;
    uint32_t value = 0;
    for (auto it = found + static_cast<ptrdiff_t>(marker.size());
         it != path.end() && std::isxdigit(static_cast<unsigned char>(*it)); ++it) {
        const int c = std::tolower(static_cast<unsigned char>(*it));
        value = value * 16 + static_cast<uint32_t>(c <= '9' ? c - '0' : c - 'a' + 10);
    }
    return static_cast<uint16_t>(value);
}

}  // namespace

HidInterface::HidInterface() : HidInterface(HidBackend::Default()) {}

HidInterface::HidInterface(HidBackend& backend) : m_backend(backend) {}

HidInterface::~HidInterface() {
    Close();
}

bool HidInterface::Enumerate() {
    std::vector<std::string> paths;
    m_pathCursor = 0;
    if (!m_backend.Enumerate(paths)) {
        FreePaths();
        m_pathCount = 0;
        return false;
    }
    m_paths = std::move(paths);
    m_pathCount = static_cast<uint32_t>(m_paths.size());
    return true;
}

std::optional<std::string> HidInterface::NextPath() {
    // The count outlives FreePaths, so the list itself bounds the cursor.
    if (m_pathCursor >= m_paths.size()) return std::nullopt;
    return m_paths[m_pathCursor++];
}

void HidInterface::FreePaths() {
    m_paths.clear();
    m_paths.shrink_to_fit();
}

bool HidInterface::Open(const std::string& path, HidAccess access, HidSharing sharing) {
    if (path.size() > kMaxPathLength) {
        DebugLog::Printf("HidInterface: refused a device path of %zu characters (limit %zu)",
                         path.size(), kMaxPathLength);
        Close();
        m_devicePath.clear();
        return false;
    }
    m_access = access;
    m_sharing = sharing;
    m_devicePath = path;
    return Reopen();
}

bool HidInterface::Reopen() {
    Close();
    std::shared_ptr<HidDevice> device = m_backend.Open(m_devicePath, m_access, m_sharing);
    if (!device) return false;
    std::shared_ptr<const ParsedDescriptor> descriptor = ReadLayout(*device);
    if (!descriptor) {
        device->Shutdown();
        ReleaseLayout();
        return false;
    }
    m_interfaceNumber = ParseInterface(m_devicePath);
    m_collectionNumber = ParseCollection(m_devicePath);
    std::lock_guard lock(m_mutex);
    m_device = std::move(device);
    m_descriptor = std::move(descriptor);
    return true;
}

std::shared_ptr<const ParsedDescriptor> HidInterface::ReadLayout(HidDevice& device) {
    m_attributes = device.Attributes();
    std::vector<ParsedDescriptor> collections;
    DescriptorError error = ReportDescriptorParser::Parse(device.ReportDescriptor(), collections);
    if (error != DescriptorError::None) {
        DebugLog::Printf("HidInterface: report descriptor of %s refused: %s", m_devicePath.c_str(),
                         DescriptorErrorText(error));
        return nullptr;
    }
    const int index = device.CollectionIndex();
    if (index < 0 || static_cast<size_t>(index) >= collections.size()) {
        DebugLog::Printf("HidInterface: %s has no top-level collection %d", m_devicePath.c_str(),
                         index + 1);
        return nullptr;
    }
    auto descriptor = std::make_shared<const ParsedDescriptor>(std::move(collections[index]));
    m_caps = descriptor->Caps();
    const uint16_t lengths[kReportTypeCount] = {m_caps.inputReportByteLength,
                                                m_caps.outputReportByteLength,
                                                m_caps.featureReportByteLength};
    for (size_t type = 0; type < kReportTypeCount; ++type) {
        m_layouts[type].buffer.assign(lengths[type], 0);
        m_layouts[type].items = BuildItems(*descriptor, static_cast<ReportType>(type));
    }
    return descriptor;
}

void HidInterface::ReleaseLayout() {
    m_attributes = {};
    m_caps = {};
    m_layouts = {};
    m_interfaceNumber = 0;
    m_collectionNumber = 0;
}

void HidInterface::Close() {
    std::shared_ptr<HidDevice> device;
    {
        std::lock_guard lock(m_mutex);
        device = std::move(m_device);
        m_descriptor.reset();
    }
    // Shutdown ends a transfer still waiting on the handle; the handle itself goes when that
    // transfer drops its copy. The stop event is left alone, so no stale signal ends the next
    // transfer after a reopen.
    if (device) device->Shutdown();
    ReleaseLayout();
}

bool HidInterface::IsOpen() const {
    return Device() != nullptr;
}

std::shared_ptr<HidDevice> HidInterface::Device() const {
    std::lock_guard lock(m_mutex);
    return m_device;
}

std::shared_ptr<const ParsedDescriptor> HidInterface::Descriptor() const {
    std::lock_guard lock(m_mutex);
    return m_descriptor;
}

bool HidInterface::Read(uint8_t* buffer, size_t length, size_t* bytesRead, int timeoutMs) {
    if (bytesRead) *bytesRead = 0;
    std::shared_ptr<HidDevice> device = Device();
    if (!device || !buffer || length == 0) return false;
    size_t moved = 0;
    TransferResult result = device->Read({buffer, length}, moved, timeoutMs, m_stop.Fd());
    if (result == TransferResult::Stopped) m_stop.Consume();
    if (result != TransferResult::Ok) return false;
    if (bytesRead) *bytesRead = moved;
    return true;
}

bool HidInterface::Write(const uint8_t* buffer, size_t length, size_t* bytesWritten,
                         int timeoutMs) {
    if (bytesWritten) *bytesWritten = 0;
    std::shared_ptr<HidDevice> device = Device();
    if (!device || !buffer || length == 0) return false;
    size_t moved = 0;
    TransferResult result = device->Write({buffer, length}, moved, timeoutMs, m_stop.Fd());
    if (result == TransferResult::Stopped) m_stop.Consume();
    if (result != TransferResult::Ok) return false;
    if (bytesWritten) *bytesWritten = moved;
    return true;
}

bool HidInterface::SetOutputReport(const uint8_t* buffer, size_t length) {
    std::shared_ptr<HidDevice> device = Device();
    if (!device || !buffer || length == 0) return false;
    return device->SetOutputReport({buffer, length});
}

void HidInterface::SetStop() {
    m_stop.Set();
}

bool HidInterface::UnpackReport(const uint8_t* report, size_t length, ReportType type,
                                std::vector<HidDataItem>& items) const {
    std::shared_ptr<const ParsedDescriptor> descriptor = Descriptor();
    if (!descriptor || !report || length == 0) return false;
    const std::span<const uint8_t> bytes(report, length);
    for (HidDataItem& item : items) {
        if (item.reportId != report[0]) continue;
        HidpStatus status;
        if (item.isButtonData) {
            // The driver lists every usage of the page that is on; an item keeps its own range,
            // in the driver's order.
            uint32_t count = 0;
            status = descriptor->GetUsages(type, item.usagePage, bytes, item.usages, count);
            size_t kept = 0;
            for (uint32_t i = 0; i < count; ++i) {
                const uint16_t usage = item.usages[i];
                if (usage >= item.usageMin && usage <= item.usageMax) item.usages[kept++] = usage;
            }
            std::fill(item.usages.begin() + static_cast<ptrdiff_t>(kept), item.usages.end(), 0);
        } else {
            status = descriptor->GetUsageValue(type, item.usagePage, item.usage, bytes, item.value);
            if (status != HidpStatus::Success) return false;
            status = descriptor->GetScaledUsageValue(type, item.usagePage, item.usage, bytes,
                                                     item.scaledValue);
        }
        item.isDataSet = true;
        item.status = static_cast<uint32_t>(status);
    }
    return true;
}

uint16_t ParseVid(std::string_view path) {
    return ParseMarker(path, "vid_");
}
uint16_t ParsePid(std::string_view path) {
    return ParseMarker(path, "pid_");
}
uint16_t ParseInterface(std::string_view path) {
    return ParseMarker(path, "&mi_");
}
uint16_t ParseCollection(std::string_view path) {
    return ParseMarker(path, "&col");
}

}  // namespace vestra::hid
