// The report descriptors of the emulated USB interfaces, and the report ids they define.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "emulator/ProductTable.h"

namespace vestra::emulator {

// Consumer-control notification: report id, then one 16-bit usage, little-endian.
inline constexpr uint8_t kNotifyReportId = 3;
inline constexpr size_t kNotifyReportSize = 3;
// Headset LED colour registers (output only): report id, then 16 bytes.
inline constexpr uint8_t kLedRegisterReportId = 0xFF;
inline constexpr size_t kLedRegisterReportSize = 17;

// The descriptor of the product's whole USB interface.
std::span<const uint8_t> ReportDescriptorOf(Product product);
// Number of top-level collections in that descriptor (the headset has exactly one).
int CollectionCountOf(Product product);

}  // namespace vestra::emulator
