#include "hid/ReportDescriptorParser.h"

#include <algorithm>

namespace vestra::hid {
namespace {

// Item prefix: bits 0-1 data size code (0, 1, 2, 4 bytes), bits 2-3 type, bits 4-7 tag.
constexpr uint8_t kLongItemPrefix = 0xFE;  // followed by data size, tag, then the data
constexpr uint8_t kItemSizes[4] = {0, 1, 2, 4};

enum ItemType : uint8_t { kTypeMain = 0, kTypeGlobal = 1, kTypeLocal = 2 };

enum MainTag : uint8_t {
    kInput = 0x8,
    kOutput = 0x9,
    kCollection = 0xA,
    kFeature = 0xB,
    kEndCollection = 0xC,
};

enum GlobalTag : uint8_t {
    kUsagePage = 0x0,
    kLogicalMinimum = 0x1,
    kLogicalMaximum = 0x2,
    kPhysicalMinimum = 0x3,
    kPhysicalMaximum = 0x4,
    kUnitExponent = 0x5,
    kUnit = 0x6,
    kReportSize = 0x7,
    kReportId = 0x8,
    kReportCount = 0x9,
    kPush = 0xA,
    kPop = 0xB,
};

enum LocalTag : uint8_t { kUsage = 0x0, kUsageMinimum = 0x1, kUsageMaximum = 0x2 };

constexpr uint8_t kApplicationCollection = 0x01;

// Main item flags of Input, Output and Feature.
constexpr uint32_t kFlagConstant = 1u << 0;
constexpr uint32_t kFlagVariable = 1u << 1;
constexpr uint32_t kFlagRelative = 1u << 2;
constexpr uint32_t kFlagNullState = 1u << 6;

// Logical and physical maxima are read as signed only when their minimum is negative, so that
// a one-byte maximum of 0xFF means 255 beside a minimum of 0.
int64_t RangeMax(int64_t min, uint32_t rawMax, int64_t signedMax) {
    return min < 0 ? signedMax : static_cast<int64_t>(rawMax);
}

}  // namespace

const char* DescriptorErrorText(DescriptorError error) {
    switch (error) {
        case DescriptorError::None:
            return "no error";
        case DescriptorError::Truncated:
            return "an item runs past the end";
        case DescriptorError::BadReportId:
            return "report id 0 or above 255";
        case DescriptorError::ReportSizeTooLarge:
            return "report size too large";
        case DescriptorError::ReportTooLong:
            return "report too long";
        case DescriptorError::TooManyFields:
            return "too many fields";
        case DescriptorError::TooManyUsages:
            return "too many usages";
        case DescriptorError::TooManyCaps:
            return "too many capabilities";
        case DescriptorError::TooManyCollections:
            return "too many top-level collections";
        case DescriptorError::PushOverflow:
            return "push nested too deep";
        case DescriptorError::PopUnderflow:
            return "pop without push";
        case DescriptorError::CollectionTooDeep:
            return "collections nested too deep";
        case DescriptorError::UnbalancedCollection:
            return "unbalanced collection";
        case DescriptorError::NoCollection:
            return "no top-level collection";
    }
    return "unknown error";
}

int64_t ReportDescriptorParser::ItemData::Signed() const {
    switch (size) {
        case 1:
            return static_cast<int8_t>(raw);
        case 2:
            return static_cast<int16_t>(raw);
        case 4:
            return static_cast<int32_t>(raw);
        default:
            return 0;
    }
}

DescriptorError ReportDescriptorParser::Parse(std::span<const uint8_t> descriptor,
                                              std::vector<ParsedDescriptor>& collections) {
    collections.clear();
    ReportDescriptorParser parser;
    DescriptorError error = parser.Run(descriptor);
    if (error == DescriptorError::None) collections = std::move(parser.m_collections);
    return error;
}

DescriptorError ReportDescriptorParser::Run(std::span<const uint8_t> bytes) {
    size_t pos = 0;
    while (pos < bytes.size()) {
        const uint8_t prefix = bytes[pos];
        const size_t left = bytes.size() - pos - 1;
        if (prefix == kLongItemPrefix) {
            // No long item is defined; skip it whole.
            if (left < 2 || left - 2 < bytes[pos + 1]) return DescriptorError::Truncated;
            pos += 3 + bytes[pos + 1];
            continue;
        }
        ItemData data;
        data.size = kItemSizes[prefix & 0x3];
        if (left < data.size) return DescriptorError::Truncated;
        for (uint8_t i = 0; i < data.size; ++i) {
            data.raw |= static_cast<uint32_t>(bytes[pos + 1 + i]) << (8 * i);
        }
        pos += 1 + data.size;

        const uint8_t type = (prefix >> 2) & 0x3;
        const uint8_t tag = prefix >> 4;
        DescriptorError error = DescriptorError::None;
        if (type == kTypeMain) {
            error = Main(tag, data);
        } else if (type == kTypeGlobal) {
            error = Global(tag, data);
        } else if (type == kTypeLocal) {
            error = Local(tag, data);
        }  // type 3 is reserved: skipped
        if (error != DescriptorError::None) return error;
    }
    if (m_depth != 0) return DescriptorError::UnbalancedCollection;
    if (m_collections.empty()) return DescriptorError::NoCollection;
    Finish();
    return DescriptorError::None;
}

DescriptorError ReportDescriptorParser::Main(uint8_t tag, ItemData data) {
    DescriptorError error = FlushUsageBounds();
    if (error != DescriptorError::None) return error;
    switch (tag) {
        case kInput:
            error = AddField(static_cast<size_t>(ReportType::Input), data.raw);
            break;
        case kOutput:
            error = AddField(static_cast<size_t>(ReportType::Output), data.raw);
            break;
        case kFeature:
            error = AddField(static_cast<size_t>(ReportType::Feature), data.raw);
            break;
        case kCollection:
            error = OpenCollection(data);
            break;
        case kEndCollection:
            if (m_depth == 0) return DescriptorError::UnbalancedCollection;
            if (--m_depth == 0) m_inCollection = false;
            break;
        default:
            break;
    }
    ClearLocals();
    return error;
}

DescriptorError ReportDescriptorParser::OpenCollection(ItemData data) {
    if (m_depth >= kMaxCollectionDepth) return DescriptorError::CollectionTooDeep;
    if (m_depth++ != 0 || (data.raw & 0xFF) != kApplicationCollection) {
        return DescriptorError::None;
    }
    if (m_collections.size() >= kMaxCollections) return DescriptorError::TooManyCollections;
    ParsedDescriptor& collection = m_collections.emplace_back();
    m_collectionReports.emplace_back();
    if (!m_usages.empty()) {
        collection.m_caps.usagePage = PageOf(m_usages.front());
        collection.m_caps.usage = m_usages.front().min;
    }
    m_inCollection = true;
    return DescriptorError::None;
}

DescriptorError ReportDescriptorParser::Global(uint8_t tag, ItemData data) {
    switch (tag) {
        case kUsagePage:
            m_globals.usagePage = static_cast<uint16_t>(data.raw);
            break;
        case kLogicalMinimum:
            m_globals.logicalMin = data;
            break;
        case kLogicalMaximum:
            m_globals.logicalMax = data;
            break;
        case kPhysicalMinimum:
            m_globals.physicalMin = data;
            break;
        case kPhysicalMaximum:
            m_globals.physicalMax = data;
            break;
        case kUnitExponent:
            m_globals.unitExponent = static_cast<int32_t>(data.Signed());
            break;
        case kUnit:
            m_globals.unit = data.raw;
            break;
        case kReportSize:
            if (data.raw > kMaxReportSize) return DescriptorError::ReportSizeTooLarge;
            m_globals.reportSize = data.raw;
            break;
        case kReportId:
            // Id 0 is reserved to mean "no report id"; ids are one byte on the wire.
            if (data.raw == 0 || data.raw > 0xFF) return DescriptorError::BadReportId;
            m_globals.reportId = static_cast<uint8_t>(data.raw);
            m_usesReportIds = true;
            break;
        case kReportCount:
            m_globals.reportCount = data.raw;
            break;
        case kPush:
            if (m_globalStack.size() >= kMaxPushDepth) return DescriptorError::PushOverflow;
            m_globalStack.push_back(m_globals);
            break;
        case kPop:
            if (m_globalStack.empty()) return DescriptorError::PopUnderflow;
            m_globals = m_globalStack.back();
            m_globalStack.pop_back();
            break;
        default:
            break;
    }
    return DescriptorError::None;
}

DescriptorError ReportDescriptorParser::Local(uint8_t tag, ItemData data) {
    if (tag != kUsage && tag != kUsageMinimum && tag != kUsageMaximum) return DescriptorError::None;
    UsageEntry entry;
    entry.min = entry.max = static_cast<uint16_t>(data.raw);
    // A four-byte usage carries its page in the high half.
    if (data.size == 4) {
        entry.page = static_cast<uint16_t>(data.raw >> 16);
        entry.hasPage = true;
    }
    if (tag == kUsageMinimum) {
        m_usageMin = entry;
        m_hasUsageMin = true;
    } else if (tag == kUsageMaximum) {
        m_usageMax = entry;
        m_hasUsageMax = true;
    } else {
        if (m_usages.size() >= kMaxLocalUsages) return DescriptorError::TooManyUsages;
        m_usages.push_back(entry);
        return DescriptorError::None;
    }
    if (!m_hasUsageMin || !m_hasUsageMax) return DescriptorError::None;
    m_hasUsageMin = m_hasUsageMax = false;
    // A reversed pair names no usage; a range takes the page of its minimum.
    if (m_usageMin.min > m_usageMax.min) return DescriptorError::None;
    if (m_usages.size() >= kMaxLocalUsages) return DescriptorError::TooManyUsages;
    UsageEntry range = m_usageMin;
    range.max = m_usageMax.min;
    range.isRange = true;
    m_usages.push_back(range);
    return DescriptorError::None;
}

// A minimum or maximum left without its partner stands for a single usage.
DescriptorError ReportDescriptorParser::FlushUsageBounds() {
    if (!m_hasUsageMin && !m_hasUsageMax) return DescriptorError::None;
    if (m_usages.size() >= kMaxLocalUsages) return DescriptorError::TooManyUsages;
    m_usages.push_back(m_hasUsageMin ? m_usageMin : m_usageMax);
    m_hasUsageMin = m_hasUsageMax = false;
    return DescriptorError::None;
}

uint16_t ReportDescriptorParser::PageOf(const UsageEntry& entry) const {
    return entry.hasPage ? entry.page : m_globals.usagePage;
}

void ReportDescriptorParser::ClearLocals() {
    m_usages.clear();
    m_hasUsageMin = m_hasUsageMax = false;
}

DescriptorError ReportDescriptorParser::AddField(size_t type, uint32_t flags) {
    const Globals& g = m_globals;
    if (g.reportCount > 0xFFFF) return DescriptorError::TooManyFields;
    const uint64_t bits = static_cast<uint64_t>(g.reportSize) * g.reportCount;
    uint32_t& reportBits = m_reportBits[type][g.reportId];
    if (reportBits + bits > kMaxReportBytes * 8 - 8) return DescriptorError::ReportTooLong;
    FieldLayout field{type, flags, reportBits};
    reportBits += static_cast<uint32_t>(bits);

    // Fields outside every application collection take room in their report but belong to no
    // collection; padding (constant fields) belongs to its collection's report but has no usage.
    if (!m_inCollection) return DescriptorError::None;
    m_collectionReports.back()[type].set(g.reportId);
    if ((flags & kFlagConstant) || bits == 0) return DescriptorError::None;
    m_fields += g.reportCount;
    if (m_fields > kMaxFields) return DescriptorError::TooManyFields;
    if (!(flags & kFlagVariable)) return AddArray(field);
    return AddVariables(field);
}

// An array field: reportCount slots, each holding the index of one usage that is on.
DescriptorError ReportDescriptorParser::AddArray(const FieldLayout& field) {
    const Globals& g = m_globals;
    ParsedDescriptor& collection = m_collections.back();
    const int64_t logicalMin = g.logicalMin.Signed();
    uint32_t arrayIndex = 0;
    for (const UsageEntry& entry : m_usages) {
        if (++m_caps > kMaxCaps) return DescriptorError::TooManyCaps;
        HidButtonCaps caps;
        caps.usagePage = PageOf(entry);
        caps.reportId = g.reportId;
        caps.bitField = static_cast<uint16_t>(field.flags);
        caps.isRange = entry.isRange;
        caps.isAbsolute = !(field.flags & kFlagRelative);
        caps.isArray = true;
        caps.usageMin = entry.min;
        caps.usageMax = entry.max;
        caps.bitOffset = field.bitOffset;
        caps.reportSize = static_cast<uint16_t>(g.reportSize);
        caps.reportCount = static_cast<uint16_t>(g.reportCount);
        caps.logicalMin = logicalMin;
        caps.logicalMax = RangeMax(logicalMin, g.logicalMax.raw, g.logicalMax.Signed());
        caps.arrayIndex = arrayIndex;
        arrayIndex += static_cast<uint32_t>(entry.max - entry.min) + 1;
        collection.m_buttonCaps[field.type].push_back(caps);
    }
    return DescriptorError::None;
}

// Variable fields take the usages in order, one field per usage; when the fields outnumber
// the usages, the last usage covers the rest. One-bit fields are buttons, wider ones values.
DescriptorError ReportDescriptorParser::AddVariables(const FieldLayout& field) {
    const Globals& g = m_globals;
    ParsedDescriptor& collection = m_collections.back();
    if (m_usages.empty()) m_usages.push_back(UsageEntry{});
    const bool isButton = g.reportSize == 1;
    uint32_t firstField = 0;
    for (size_t i = 0; i < m_usages.size() && firstField < g.reportCount; ++i) {
        if (++m_caps > kMaxCaps) return DescriptorError::TooManyCaps;
        const UsageEntry& entry = m_usages[i];
        const uint32_t remaining = g.reportCount - firstField;
        const uint32_t span = static_cast<uint32_t>(entry.max - entry.min) + 1;
        const bool last = i + 1 == m_usages.size();
        const uint32_t count = last ? remaining : std::min(span, remaining);
        const uint16_t usageMax = static_cast<uint16_t>(entry.min + std::min(span, remaining) - 1);
        const uint32_t bitOffset = field.bitOffset + firstField * g.reportSize;
        firstField += count;

        if (isButton) {
            HidButtonCaps caps;
            caps.usagePage = PageOf(entry);
            caps.reportId = g.reportId;
            caps.bitField = static_cast<uint16_t>(field.flags);
            caps.isRange = entry.isRange;
            caps.isAbsolute = !(field.flags & kFlagRelative);
            caps.usageMin = entry.min;
            caps.usageMax = usageMax;
            caps.bitOffset = bitOffset;
            caps.reportSize = 1;
            caps.reportCount = static_cast<uint16_t>(count);
            caps.logicalMin = g.logicalMin.Signed();
            caps.logicalMax = RangeMax(caps.logicalMin, g.logicalMax.raw, g.logicalMax.Signed());
            collection.m_buttonCaps[field.type].push_back(caps);
            continue;
        }
        HidValueCaps caps;
        caps.usagePage = PageOf(entry);
        caps.reportId = g.reportId;
        caps.bitField = static_cast<uint16_t>(field.flags);
        caps.isRange = entry.isRange;
        caps.isAbsolute = !(field.flags & kFlagRelative);
        caps.hasNull = field.flags & kFlagNullState;
        caps.usageMin = entry.min;
        caps.usageMax = usageMax;
        caps.bitOffset = bitOffset;
        caps.bitSize = static_cast<uint16_t>(g.reportSize);
        caps.reportCount = static_cast<uint16_t>(count);
        caps.logicalMin = g.logicalMin.Signed();
        caps.logicalMax = RangeMax(caps.logicalMin, g.logicalMax.raw, g.logicalMax.Signed());
        caps.physicalMin = g.physicalMin.Signed();
        caps.physicalMax = RangeMax(caps.physicalMin, g.physicalMax.raw, g.physicalMax.Signed());
        caps.units = g.unit;
        caps.unitsExp = g.unitExponent;
        collection.m_valueCaps[field.type].push_back(caps);
    }
    return DescriptorError::None;
}

// Report lengths are known only once every field is in: a report's fields may be spread over
// the descriptor.
void ReportDescriptorParser::Finish() {
    for (size_t c = 0; c < m_collections.size(); ++c) {
        ParsedDescriptor& collection = m_collections[c];
        collection.m_usesReportIds = m_usesReportIds;
        std::array<uint16_t*, kReportTypeCount> lengths = {
            &collection.m_caps.inputReportByteLength, &collection.m_caps.outputReportByteLength,
            &collection.m_caps.featureReportByteLength};
        std::array<uint16_t*, kReportTypeCount> buttonCounts = {
            &collection.m_caps.numberInputButtonCaps, &collection.m_caps.numberOutputButtonCaps,
            &collection.m_caps.numberFeatureButtonCaps};
        std::array<uint16_t*, kReportTypeCount> valueCounts = {
            &collection.m_caps.numberInputValueCaps, &collection.m_caps.numberOutputValueCaps,
            &collection.m_caps.numberFeatureValueCaps};
        for (size_t type = 0; type < kReportTypeCount; ++type) {
            for (size_t id = 0; id < 256; ++id) {
                if (!m_collectionReports[c][type].test(id)) continue;
                // The report id byte is counted even when the descriptor has no ids (it is 0).
                auto length = static_cast<uint16_t>((m_reportBits[type][id] + 7) / 8 + 1);
                collection.m_reports[type].push_back({static_cast<uint8_t>(id), length});
                *lengths[type] = std::max(*lengths[type], length);
            }
            *buttonCounts[type] = static_cast<uint16_t>(collection.m_buttonCaps[type].size());
            *valueCounts[type] = static_cast<uint16_t>(collection.m_valueCaps[type].size());
        }
    }
}

}  // namespace vestra::hid
