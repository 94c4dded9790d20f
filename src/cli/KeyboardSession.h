// A keyboard device object opened for one CLI command, read the way the window reads it when
// the keyboard connects: key tables, profile, mode table and macro names.
#pragma once

#include <memory>
#include <string_view>

#include "cli/CliContext.h"
#include "cli/DeviceSession.h"
#include "device/model/CHalvorinKeyboardDevice.h"

namespace vestra::cli {

struct KeyboardSession {
    SelectedDevice selected;
    std::unique_ptr<CHalvorinKeyboardDevice> keyboard;
};

// Selects the device (--device), refuses other kinds for the command `what`, opens the
// keyboard's channel and loads its selected profile. Prints the error and sets exitCode when
// it fails.
std::unique_ptr<KeyboardSession> OpenKeyboard(const CliContext& context, std::string_view what,
                                              int& exitCode);
// The same for a keyboard that is already selected.
std::unique_ptr<KeyboardSession> OpenKeyboard(const CliContext& context,
                                              const SelectedDevice& selected, int& exitCode);

}  // namespace vestra::cli
