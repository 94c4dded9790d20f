// The protocol trace: a title line, then a 64-byte report as two hex lines of 32 bytes.
#pragma once

#include <cstdint>
#include <string_view>

namespace vestra::protocol {

// Writes the title and the report to the debug log; does nothing while the log is off.
void TraceReport(std::string_view title, const uint8_t* report);

}  // namespace vestra::protocol
