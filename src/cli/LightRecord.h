// The lighting record as `light` shows and changes it, for every kind that has one.
#pragma once

#include "cli/CliContext.h"
#include "cli/DeviceSelection.h"
#include "device/model/CHalvorinUSBDevice.h"
#include "profile/ProfileRecords.h"

namespace vestra::cli {

// Applies `light set`'s OPTION VALUE pairs to light (modes are checked against the device's
// mode table); false with a message for a bad one.
bool ApplyLightOptions(const CliContext& context, const CHalvorinUSBDevice& device,
                       LightInfoRecord& light);

// Prints light with the mode's name from the device's mode table; --json prints
// {"device": ..., "light": ...}.
void PrintLight(const CliContext& context, const SelectedDevice& selected,
                const CHalvorinUSBDevice& device, const LightInfoRecord& light);

}  // namespace vestra::cli
