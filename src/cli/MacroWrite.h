// Writing the macros the keys of a keyboard or mouse use, with the messages a CLI command prints.
#pragma once

#include "cli/CliContext.h"
#include "device/model/CHalvorinUSBDevice.h"

namespace vestra::cli {

// Sends the macros the keys use; false (with a message) when they do not fit or the write
// failed. The key map must not be written then: its macro keys would play the wrong macros.
bool WriteUsedMacros(const CliContext& context, CHalvorinUSBDevice& device);

}  // namespace vestra::cli
