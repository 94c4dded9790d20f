// The report layout of one top-level collection, with the driver's report queries over it.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "hid/HidCaps.h"

namespace vestra::hid {

class ParsedDescriptor {
public:
    const HidCaps& Caps() const { return m_caps; }
    const std::vector<HidButtonCaps>& ButtonCaps(ReportType type) const;
    const std::vector<HidValueCaps>& ValueCaps(ReportType type) const;
    // True when the descriptor numbers its reports; byte 0 of a report is then its id, else 0.
    bool UsesReportIds() const { return m_usesReportIds; }
    // Byte length, report id byte included, of this collection's report with the id; 0 if none.
    uint16_t ReportLength(ReportType type, uint8_t reportId) const;

    // Longest usage list GetUsages can return for the page (0: every page).
    uint32_t MaxUsageListLength(ReportType type, uint16_t usagePage) const;
    // The usages of the page that are on in the report (report id in byte 0), in report order.
    // Fills at most usages.size() entries; usageCount receives how many were filled.
    HidpStatus GetUsages(ReportType type, uint16_t usagePage, std::span<const uint8_t> report,
                         std::span<uint16_t> usages, uint32_t& usageCount) const;
    // The raw field of a value usage (the first field when the usage is a value array).
    HidpStatus GetUsageValue(ReportType type, uint16_t usagePage, uint16_t usage,
                             std::span<const uint8_t> report, uint32_t& value) const;
    // The field mapped from its logical range onto its physical range; 0 unless Success.
    HidpStatus GetScaledUsageValue(ReportType type, uint16_t usagePage, uint16_t usage,
                                   std::span<const uint8_t> report, int32_t& value) const;

private:
    friend class ReportDescriptorParser;

    struct ReportSlot {
        uint8_t reportId = 0;
        uint16_t byteLength = 0;
    };

    HidpStatus FindValue(ReportType type, uint16_t usagePage, uint16_t usage,
                         std::span<const uint8_t> report, const HidValueCaps*& caps,
                         uint32_t& raw) const;

    HidCaps m_caps;
    bool m_usesReportIds = false;
    std::array<std::vector<HidButtonCaps>, kReportTypeCount> m_buttonCaps;
    std::array<std::vector<HidValueCaps>, kReportTypeCount> m_valueCaps;
    std::array<std::vector<ReportSlot>, kReportTypeCount> m_reports;
};

}  // namespace vestra::hid
