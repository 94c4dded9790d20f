#include "device/protocol/ReportTrace.h"

#include "platform/DebugLog.h"

namespace vestra::protocol {
namespace {

// Tools that read the trace depend on this exact layout: groups of four bytes, three spaces
// between the first four groups, two between the rest.
void TraceLine(const uint8_t* b) {
    DebugLog::Printf(
        "%02x %02x %02x %02x   %02x %02x %02x %02x   %02x %02x %02x %02x   %02x %02x %02x %02x  "
        "%02x %02x %02x %02x  %02x %02x %02x %02x  %02x %02x %02x %02x  %02x %02x %02x %02x",
        b[0], b[1], b[2], b[3], b[4], b[5], b[6], b[7], b[8], b[9], b[10], b[11], b[12], b[13],
        b[14], b[15], b[16], b[17], b[18], b[19], b[20], b[21], b[22], b[23], b[24], b[25], b[26],
        b[27], b[28], b[29], b[30], b[31]);
}

}  // namespace

void TraceReport(std::string_view title, const uint8_t* report) {
    if (!DebugLog::Enabled()) return;
    DebugLog::Write(title);
    TraceLine(report);
    TraceLine(report + 32);
}

}  // namespace vestra::protocol
