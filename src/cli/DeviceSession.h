// The part every device command shares before it talks to a device object: selecting a
// product of the kinds the command serves, and opening a device object's channel on it.
#pragma once

#include <initializer_list>
#include <optional>
#include <string_view>

#include "cli/CliContext.h"
#include "cli/DeviceSelection.h"
#include "device/model/CHalvorinUSBDevice.h"

namespace vestra::cli {

// Selects the device (--device) and refuses kinds the command `what` does not serve. Prints
// the error and sets exitCode when nothing is selected.
std::optional<SelectedDevice> SelectDeviceOf(const CliContext& context, std::string_view what,
                                             std::initializer_list<hid::DeviceKind> kinds,
                                             int& exitCode);

// Gives the device object its identity and opens its channel. The device is known by its
// cable entry, also when it is reached through its receiver. Prints the error when it fails.
bool OpenDeviceObject(const CliContext& context, const SelectedDevice& selected,
                      CHalvorinUSBDevice& device);

// "written to the <device>" or the reason it was not, for a device result code.
bool ReportWrite(const CliContext& context, std::string_view what, int result,
                 hid::DeviceKind kind = hid::DeviceKind::Keyboard);

}  // namespace vestra::cli
