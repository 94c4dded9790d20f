// `vestractl profile apply N`: makes a profile the keyboard's and writes all of it to the device.
#pragma once

#include "cli/CliContext.h"

namespace vestra::cli {

// True when the profile command's operation (its first word that is no option) is "apply".
bool IsProfileApply(const CliContext& context);
int RunProfileApply(CliContext& context);

}  // namespace vestra::cli
