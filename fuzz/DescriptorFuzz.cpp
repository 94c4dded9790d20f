// Fuzzes the report descriptor parser and the report queries over it. The input is a report
// descriptor; each collection is opened through HidInterface, and every report of it is built
// from the input bytes and unpacked, whole and cut short.
#include <cstdint>
#include <cstdlib>
#include <set>
#include <span>
#include <vector>

#include "hid/HidInterface.h"
#include "hid/ReportDescriptorParser.h"

namespace {

using namespace vestra::hid;

// A device that serves one collection of the fuzzed descriptor and moves no reports.
class MemoryDevice final : public HidDevice {
public:
    MemoryDevice(std::span<const uint8_t> descriptor, int index)
        : m_descriptor(descriptor.begin(), descriptor.end()), m_index(index) {}
    HidAttributes Attributes() const override { return {0x320F, 0x1000, 0x0100}; }
    std::vector<uint8_t> ReportDescriptor() const override { return m_descriptor; }
    int CollectionIndex() const override { return m_index; }
    TransferResult Read(std::span<uint8_t>, size_t& n, int, int) override {
        n = 0;
        return TransferResult::Failed;
    }
    TransferResult Write(std::span<const uint8_t>, size_t& n, int, int) override {
        n = 0;
        return TransferResult::Failed;
    }
    bool SetOutputReport(std::span<const uint8_t>) override { return false; }
    void Shutdown() override {}

private:
    std::vector<uint8_t> m_descriptor;
    int m_index;
};

class MemoryBackend final : public HidBackend {
public:
    explicit MemoryBackend(std::span<const uint8_t> descriptor) : m_descriptor(descriptor) {}
    void Serve(int index) { m_index = index; }
    bool Enumerate(std::vector<std::string>& paths) override {
        paths.clear();
        return true;
    }
    std::shared_ptr<HidDevice> Open(const std::string&, HidAccess, HidSharing) override {
        return std::make_shared<MemoryDevice>(m_descriptor, m_index);
    }

private:
    std::span<const uint8_t> m_descriptor;
    int m_index = 0;
};

void Check(bool condition) {
    if (!condition) std::abort();
}

// Every field of a capability lies inside the report that carries it.
template <typename Caps>
void CheckInside(const ParsedDescriptor& d, ReportType type, const Caps& caps, uint32_t size) {
    const uint16_t length = d.ReportLength(type, caps.reportId);
    Check(length >= 1);
    Check(caps.bitOffset + uint64_t{size} * caps.reportCount <= (length - 1u) * 8u);
}

void UnpackEveryReport(HidInterface& hid, const ParsedDescriptor& d, ReportType type,
                       std::span<const uint8_t> input) {
    std::vector<HidDataItem>& items = hid.Data(type);
    std::set<uint8_t> ids;
    for (const HidDataItem& item : items) ids.insert(static_cast<uint8_t>(item.reportId));
    for (uint8_t id : ids) {
        std::vector<uint8_t> report(d.ReportLength(type, id));
        Check(!report.empty() && report.size() <= hid.ReportBuffer(type).size());
        for (size_t i = 1; i < report.size(); ++i) report[i] = input[(i * 7 + id) % input.size()];
        report[0] = id;
        Check(hid.UnpackReport(report.data(), report.size(), type, items));
        for (const HidDataItem& item : items) {
            if (!item.isButtonData || item.reportId != id) continue;
            for (uint16_t usage : item.usages) {
                if (usage == 0) break;
                Check(usage >= item.usageMin && usage <= item.usageMax);
            }
        }
        // Cut short: values fail, nothing is read past the end.
        hid.UnpackReport(report.data(), report.size() / 2, type, items);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const uint8_t> input(data, size);
    std::vector<ParsedDescriptor> collections;
    if (ReportDescriptorParser::Parse(input, collections) != DescriptorError::None) return 0;
    Check(!collections.empty() && size > 0);

    MemoryBackend backend(input);
    for (size_t index = 0; index < collections.size(); ++index) {
        const ParsedDescriptor& d = collections[index];
        for (ReportType type : {ReportType::Input, ReportType::Output, ReportType::Feature}) {
            for (const HidButtonCaps& caps : d.ButtonCaps(type)) {
                CheckInside(d, type, caps, caps.reportSize);
            }
            for (const HidValueCaps& caps : d.ValueCaps(type)) {
                CheckInside(d, type, caps, caps.bitSize);
                Check(caps.usageMax - caps.usageMin < caps.reportCount);
            }
        }
        backend.Serve(static_cast<int>(index));
        HidInterface hid(backend);
        Check(hid.Open("fuzz", HidAccess::Read, HidSharing::Shared));
        for (ReportType type : {ReportType::Input, ReportType::Output, ReportType::Feature}) {
            UnpackEveryReport(hid, d, type, input);
        }
    }
    return 0;
}
