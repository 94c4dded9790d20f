// A mouse device object opened for one CLI command, read the way the window reads it when the
// mouse connects: information block, key table, selected profile and the settings block.
#pragma once

#include <memory>
#include <string_view>

#include "cli/CliContext.h"
#include "cli/DeviceSession.h"
#include "device/model/CHalvorinMouseDevice.h"

namespace vestra::cli {

struct MouseSession {
    SelectedDevice selected;
    std::unique_ptr<CHalvorinMouseDevice> mouse;
};

// Selects the device (--device), refuses other kinds for the command `what`, opens the mouse
// and reads it. Prints the error and sets exitCode when it fails.
std::unique_ptr<MouseSession> OpenMouse(const CliContext& context, std::string_view what,
                                        int& exitCode);
// The same for a mouse that is already selected.
std::unique_ptr<MouseSession> OpenMouse(const CliContext& context, const SelectedDevice& selected,
                                        int& exitCode);

}  // namespace vestra::cli
