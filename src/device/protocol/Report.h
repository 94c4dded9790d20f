// One 64-byte request or reply report: building a request and its checksum.
#pragma once

#include <array>
#include <cstdint>

#include "device/protocol/ProtocolConstants.h"

namespace vestra::protocol {

using Report = std::array<uint8_t, kReportSize>;

// A zeroed request with report id 4 and the command byte; the checksum is not stamped yet.
Report NewRequest(uint8_t command);
// Plain sum of bytes 3..63 as they stand; at most 61 * 255 = 15555, so it fits in 16 bits.
uint16_t ReportChecksum(const Report& report);
// Sets the data length (byte 4) and the device address (bytes 5-6, cut to 16 bits).
void AddressChunk(Report& request, size_t length, uint32_t address);
// Writes the checksum into bytes 1-2, little-endian.
void StampChecksum(Report& report);

}  // namespace vestra::protocol
