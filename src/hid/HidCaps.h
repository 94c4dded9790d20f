// The capability records of one top-level collection, as the HID class driver reports them.
#pragma once

#include <cstddef>
#include <cstdint>

namespace vestra::hid {

enum class ReportType { Input, Output, Feature };
inline constexpr size_t kReportTypeCount = 3;

// Outcome of one report query, one value per meaning of the driver's HIDP_STATUS_* codes.
enum class HidpStatus : uint32_t {
    Success = 0,
    Null,                 // the value sits outside its logical range and the field has a null state
    InvalidReportLength,  // the buffer is shorter than the report with this id
    IncompatibleReportId,  // the usage exists, but in a report with another id
    UsageNotFound,         // the usage (page) is in no report of this type
    BufferTooSmall,        // more usages are on than the list holds; the list has the first ones
    BadLogPhyValues,       // the logical or physical range cannot scale a value
    ValueOutOfRange,       // the value sits outside its logical range (no null state)
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

// One button capability: 1-bit variable fields, or one array field selecting usages.
struct HidButtonCaps {
    uint16_t usagePage = 0;
    uint8_t reportId = 0;
    uint16_t bitField = 0;  // the main item's flags (constant, variable, relative, ...)
    bool isRange = false;
    bool isAbsolute = true;
    bool isArray = false;
    uint16_t usageMin = 0;  // equal to usageMax when the capability is a single usage
    uint16_t usageMax = 0;
    // Where the fields sit: bit offset from the first byte after the report id byte.
    uint32_t bitOffset = 0;
    uint16_t reportSize = 1;
    uint16_t reportCount = 0;
    // Arrays: a field value v selects entry (v - logicalMin) of the main item's usage list;
    // usageMin is entry arrayIndex of that list.
    int64_t logicalMin = 0;
    int64_t logicalMax = 0;
    uint32_t arrayIndex = 0;
};

// One value capability: fields of reportSize bits, one per usage of the range.
struct HidValueCaps {
    uint16_t usagePage = 0;
    uint8_t reportId = 0;
    uint16_t bitField = 0;
    bool isRange = false;
    bool isAbsolute = true;
    bool hasNull = false;
    uint16_t usageMin = 0;
    uint16_t usageMax = 0;
    uint32_t bitOffset = 0;
    uint16_t bitSize = 0;
    uint16_t reportCount = 0;  // more fields than usages: the last usage is a value array
    int64_t logicalMin = 0;
    int64_t logicalMax = 0;
    int64_t physicalMin = 0;
    int64_t physicalMax = 0;
    uint32_t units = 0;
    int32_t unitsExp = 0;
};

}  // namespace vestra::hid
