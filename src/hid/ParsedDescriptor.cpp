#include "hid/ParsedDescriptor.h"

#include <algorithm>
#include <limits>

namespace vestra::hid {
namespace {

size_t Index(ReportType type) {
    return static_cast<size_t>(type);
}

// Fields are packed least significant bit first, starting at the byte after the report id.
// Only the low 32 bits of a wider field are returned; bits past the data read as 0.
uint32_t ExtractBits(std::span<const uint8_t> data, uint64_t bitOffset, uint32_t bitCount) {
    uint32_t value = 0;
    for (uint32_t i = 0; i < bitCount && i < 32; ++i) {
        uint64_t bit = bitOffset + i;
        if (bit / 8 >= data.size()) break;
        value |= static_cast<uint32_t>((data[bit / 8] >> (bit % 8)) & 1) << i;
    }
    return value;
}

int64_t SignExtend(uint32_t value, uint32_t bitCount) {
    if (bitCount == 0) return 0;
    if (bitCount >= 32) return static_cast<int32_t>(value);
    uint32_t sign = 1u << (bitCount - 1);
    return static_cast<int64_t>(value & (sign - 1)) - static_cast<int64_t>(value & sign);
}

bool SameArrayField(const HidButtonCaps& a, const HidButtonCaps& b) {
    return a.isArray && b.isArray && a.reportId == b.reportId && a.bitOffset == b.bitOffset;
}

// A field's value as the logical range reads it: signed when the range goes below zero.
int64_t LogicalValue(uint32_t raw, uint32_t bitCount, int64_t logicalMin) {
    return logicalMin < 0 ? SignExtend(raw, bitCount) : raw;
}

}  // namespace

const std::vector<HidButtonCaps>& ParsedDescriptor::ButtonCaps(ReportType type) const {
    return m_buttonCaps[Index(type)];
}

const std::vector<HidValueCaps>& ParsedDescriptor::ValueCaps(ReportType type) const {
    return m_valueCaps[Index(type)];
}

uint16_t ParsedDescriptor::ReportLength(ReportType type, uint8_t reportId) const {
    for (const ReportSlot& slot : m_reports[Index(type)]) {
        if (slot.reportId == reportId) return slot.byteLength;
    }
    return 0;
}

uint32_t ParsedDescriptor::MaxUsageListLength(ReportType type, uint16_t usagePage) const {
    uint32_t total = 0;
    // The capabilities of one array share its field; it holds reportCount usages at most.
    const HidButtonCaps* lastArray = nullptr;
    for (const HidButtonCaps& caps : m_buttonCaps[Index(type)]) {
        if (usagePage != 0 && caps.usagePage != usagePage) continue;
        if (caps.isArray) {
            bool sameField = lastArray && SameArrayField(*lastArray, caps);
            lastArray = &caps;
            if (sameField) continue;
        }
        total += caps.reportCount;
    }
    return total;
}

HidpStatus ParsedDescriptor::GetUsages(ReportType type, uint16_t usagePage,
                                       std::span<const uint8_t> report, std::span<uint16_t> usages,
                                       uint32_t& usageCount) const {
    usageCount = 0;
    if (report.empty()) return HidpStatus::InvalidReportLength;
    const uint8_t reportId = report[0];
    const std::span<const uint8_t> data = report.subspan(1);
    bool pageFound = false;
    bool reportFound = false;
    bool tooSmall = false;
    auto emit = [&](uint32_t usage) {
        // Usage 0 means "no control" and is never reported as on.
        if (usage == 0) return;
        if (usageCount < usages.size()) {
            usages[usageCount++] = static_cast<uint16_t>(usage);
        } else {
            tooSmall = true;
        }
    };
    const std::vector<HidButtonCaps>& all = m_buttonCaps[Index(type)];
    for (size_t first = 0, end = 0; first < all.size(); first = end) {
        // The capabilities of one array are consecutive and share its field: each slot is
        // looked up in all of them, so that usages come in slot order.
        end = first + 1;
        while (all[first].isArray && end < all.size() && SameArrayField(all[first], all[end])) {
            ++end;
        }
        bool matched = false;
        for (size_t i = first; i < end; ++i) {
            if (all[i].usagePage != usagePage) continue;
            pageFound = true;
            matched = matched || all[i].reportId == reportId;
        }
        if (!matched) continue;
        if (report.size() < ReportLength(type, reportId)) return HidpStatus::InvalidReportLength;
        reportFound = true;

        const HidButtonCaps& field = all[first];
        for (uint32_t slot = 0; slot < field.reportCount; ++slot) {
            uint64_t bit = field.bitOffset + static_cast<uint64_t>(slot) * field.reportSize;
            uint32_t raw = ExtractBits(data, bit, field.reportSize);
            if (!field.isArray) {
                // Fields past the end of the usage range repeat its last usage.
                const uint32_t span = field.usageMax - field.usageMin;
                if (raw & 1) emit(field.usageMin + std::min(slot, span));
                continue;
            }
            int64_t value = LogicalValue(raw, field.reportSize, field.logicalMin);
            if (value < field.logicalMin || value > field.logicalMax) continue;
            const int64_t index = value - field.logicalMin;
            for (size_t i = first; i < end; ++i) {
                const HidButtonCaps& caps = all[i];
                const int64_t offset = index - caps.arrayIndex;
                if (caps.usagePage != usagePage || offset < 0 ||
                    offset > caps.usageMax - caps.usageMin) {
                    continue;
                }
                emit(caps.usageMin + static_cast<uint32_t>(offset));
                break;
            }
        }
    }
    if (!pageFound) return HidpStatus::UsageNotFound;
    if (!reportFound) return HidpStatus::IncompatibleReportId;
    return tooSmall ? HidpStatus::BufferTooSmall : HidpStatus::Success;
}

HidpStatus ParsedDescriptor::FindValue(ReportType type, uint16_t usagePage, uint16_t usage,
                                       std::span<const uint8_t> report, const HidValueCaps*& found,
                                       uint32_t& raw) const {
    found = nullptr;
    raw = 0;
    if (report.empty()) return HidpStatus::InvalidReportLength;
    const uint8_t reportId = report[0];
    bool usageFound = false;
    for (const HidValueCaps& caps : m_valueCaps[Index(type)]) {
        if (caps.usagePage != usagePage || usage < caps.usageMin || usage > caps.usageMax) {
            continue;
        }
        usageFound = true;
        if (caps.reportId != reportId) continue;
        if (report.size() < ReportLength(type, reportId)) return HidpStatus::InvalidReportLength;
        uint64_t bit = caps.bitOffset + static_cast<uint64_t>(usage - caps.usageMin) * caps.bitSize;
        raw = ExtractBits(report.subspan(1), bit, caps.bitSize);
        found = &caps;
        return HidpStatus::Success;
    }
    return usageFound ? HidpStatus::IncompatibleReportId : HidpStatus::UsageNotFound;
}

HidpStatus ParsedDescriptor::GetUsageValue(ReportType type, uint16_t usagePage, uint16_t usage,
                                           std::span<const uint8_t> report, uint32_t& value) const {
    const HidValueCaps* caps = nullptr;
    return FindValue(type, usagePage, usage, report, caps, value);
}

HidpStatus ParsedDescriptor::GetScaledUsageValue(ReportType type, uint16_t usagePage,
                                                 uint16_t usage, std::span<const uint8_t> report,
                                                 int32_t& value) const {
    value = 0;
    const HidValueCaps* caps = nullptr;
    uint32_t raw = 0;
    HidpStatus status = FindValue(type, usagePage, usage, report, caps, raw);
    if (status != HidpStatus::Success) return status;

    const int64_t logicalMin = caps->logicalMin;
    const int64_t logicalMax = caps->logicalMax;
    int64_t physicalMin = caps->physicalMin;
    int64_t physicalMax = caps->physicalMax;
    // A physical range left at 0..0 means the physical values are the logical ones.
    if (physicalMin == 0 && physicalMax == 0) {
        physicalMin = logicalMin;
        physicalMax = logicalMax;
    }
    if (logicalMin >= logicalMax || physicalMin >= physicalMax) {
        return HidpStatus::BadLogPhyValues;
    }
    const int64_t logical = LogicalValue(raw, caps->bitSize, logicalMin);
    if (logical < logicalMin || logical > logicalMax) {
        return caps->hasNull ? HidpStatus::Null : HidpStatus::ValueOutOfRange;
    }
    // Both ranges come from 32-bit items, so the product needs more than 64 bits.
    __int128 scaled = static_cast<__int128>(logical - logicalMin) * (physicalMax - physicalMin) /
                          (logicalMax - logicalMin) +
                      physicalMin;
    constexpr int32_t kLow = std::numeric_limits<int32_t>::min();
    constexpr int32_t kHigh = std::numeric_limits<int32_t>::max();
    value = static_cast<int32_t>(std::clamp<__int128>(scaled, kLow, kHigh));
    return HidpStatus::Success;
}

}  // namespace vestra::hid
