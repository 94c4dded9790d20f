// Writing the macros the keys of a keyboard use, with the messages a CLI command prints.
#pragma once

#include "cli/CliContext.h"
#include "device/model/CHalvorinKeyboardDevice.h"

namespace vestra::cli {

// Sends the macros the keys use; false (with a message) when they do not fit or the write
// failed. The key map must not be written then: its macro keys would play the wrong macros.
bool WriteUsedMacros(const CliContext& context, CHalvorinKeyboardDevice& keyboard);

}  // namespace vestra::cli
