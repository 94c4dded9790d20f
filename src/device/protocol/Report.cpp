#include "device/protocol/Report.h"

#include "device/protocol/ByteOrder.h"

namespace vestra::protocol {

Report NewRequest(uint8_t command) {
    Report report{};
    report[0] = kReportId;
    report[kOffsetCommand] = command;
    return report;
}

uint16_t ReportChecksum(const Report& report) {
    uint16_t sum = 0;
    for (size_t i = kOffsetCommand; i < kReportSize; ++i) sum += report[i];
    return sum;
}

void AddressChunk(Report& request, size_t length, uint32_t address) {
    request[kOffsetLength] = static_cast<uint8_t>(length);
    StoreLe16(&request[kOffsetAddressLow], static_cast<uint16_t>(address & 0xFFFF));
}

void StampChecksum(Report& report) {
    StoreLe16(&report[kOffsetChecksumLow], ReportChecksum(report));
}

}  // namespace vestra::protocol
