// Parses a HID report descriptor into the report layouts of its top-level collections.
#pragma once

#include <array>
#include <bitset>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "hid/ParsedDescriptor.h"

namespace vestra::hid {

// Why a descriptor was refused. Every limit keeps the work and memory of one parse bounded.
enum class DescriptorError {
    None,
    Truncated,             // an item runs past the end of the descriptor
    BadReportId,           // report id 0 or above 255
    ReportSizeTooLarge,    // a field wider than kMaxReportSize bits
    ReportTooLong,         // one report longer than kMaxReportBytes
    TooManyFields,         // report count above 65535, or kMaxFields data fields in all
    TooManyUsages,         // more than kMaxLocalUsages usages before one main item
    TooManyCaps,           // more than kMaxCaps capabilities in all
    TooManyCollections,    // more than kMaxCollections top-level collections
    PushOverflow,          // more than kMaxPushDepth pushed global states
    PopUnderflow,          // a pop with nothing pushed
    CollectionTooDeep,     // collections nested more than kMaxCollectionDepth deep
    UnbalancedCollection,  // an end collection without a collection, or one left open
    NoCollection,          // no top-level application collection at all (or no bytes)
};

const char* DescriptorErrorText(DescriptorError error);

class ReportDescriptorParser {
public:
    static constexpr uint32_t kMaxReportSize = 256;
    static constexpr uint32_t kMaxReportBytes = 16384;  // the kernel's largest HID buffer
    static constexpr uint32_t kMaxFields = 16384;
    static constexpr size_t kMaxLocalUsages = 256;
    static constexpr size_t kMaxCaps = 1024;
    static constexpr size_t kMaxCollections = 64;
    static constexpr size_t kMaxPushDepth = 16;
    static constexpr uint32_t kMaxCollectionDepth = 32;

    // Parses the whole descriptor. Top-level collections are the application collections at
    // nesting depth 0, in descriptor order. On error `collections` is left empty.
    static DescriptorError Parse(std::span<const uint8_t> descriptor,
                                 std::vector<ParsedDescriptor>& collections);

private:
    // An item's data bytes, little-endian, with the byte count they came in.
    struct ItemData {
        uint32_t raw = 0;
        uint8_t size = 0;
        int64_t Signed() const;
    };
    struct Globals {
        uint16_t usagePage = 0;
        ItemData logicalMin, logicalMax, physicalMin, physicalMax;
        int32_t unitExponent = 0;
        uint32_t unit = 0;
        uint32_t reportSize = 0;
        uint32_t reportCount = 0;
        uint8_t reportId = 0;
    };
    // One Usage item, or a Usage Minimum/Maximum pair.
    struct UsageEntry {
        uint16_t page = 0;
        bool hasPage = false;  // an extended (32-bit) usage names its own page
        uint16_t min = 0;
        uint16_t max = 0;
        bool isRange = false;
    };
    struct FieldLayout {
        size_t type = 0;
        uint32_t flags = 0;
        uint32_t bitOffset = 0;
    };

    DescriptorError Run(std::span<const uint8_t> descriptor);
    DescriptorError Main(uint8_t tag, ItemData data);
    DescriptorError Global(uint8_t tag, ItemData data);
    DescriptorError Local(uint8_t tag, ItemData data);
    DescriptorError OpenCollection(ItemData data);
    DescriptorError AddField(size_t type, uint32_t flags);
    DescriptorError AddArray(const FieldLayout& field);
    DescriptorError AddVariables(const FieldLayout& field);
    DescriptorError FlushUsageBounds();
    uint16_t PageOf(const UsageEntry& entry) const;
    void ClearLocals();
    void Finish();

    std::vector<ParsedDescriptor> m_collections;
    // Report ids each collection's fields use, per report type.
    std::vector<std::array<std::bitset<256>, kReportTypeCount>> m_collectionReports;
    std::array<std::array<uint32_t, 256>, kReportTypeCount> m_reportBits{};
    Globals m_globals;
    std::vector<Globals> m_globalStack;
    std::vector<UsageEntry> m_usages;
    bool m_hasUsageMin = false;
    bool m_hasUsageMax = false;
    UsageEntry m_usageMin, m_usageMax;
    bool m_usesReportIds = false;
    uint32_t m_depth = 0;
    bool m_inCollection = false;  // inside a top-level application collection
    uint32_t m_fields = 0;
    size_t m_caps = 0;
};

}  // namespace vestra::hid
