// The fields of a power status block as `info` and `power` print them.
#pragma once

#include "cli/RecordFields.h"
#include "device/protocol/PowerStatus.h"

namespace vestra::cli {

// Battery percent, charge state, link (byte 3 as the host set it), phone type and raw bytes.
RecordFields PowerFields(const protocol::PowerStatus& power);

}  // namespace vestra::cli
