// The vestractl commands by name.
#pragma once

#include <span>
#include <string_view>

#include "cli/CliContext.h"

namespace vestra::cli {

// A command returns the process exit code: 0 done, 1 refused or failed, 2 bad usage.
using CommandFunction = int (*)(CliContext&);

struct CommandEntry {
    std::string_view name;
    CommandFunction run;
    std::string_view usage;  // one line for the help text
};

std::span<const CommandEntry> Commands();

// The commands, each in its own file.
int RunList(CliContext& context);
int RunInfo(CliContext& context);
int RunSettings(CliContext& context);
int RunProfile(CliContext& context);
int RunKeymap(CliContext& context);
int RunLight(CliContext& context);
int RunMacro(CliContext& context);
int RunWatch(CliContext& context);
int RunDpi(CliContext& context);
int RunPolling(CliContext& context);
int RunSensorHeight(CliContext& context);
int RunShoot(CliContext& context);
int RunPower(CliContext& context);
int RunHeadset(CliContext& context);

// `light` for the mouse pad and the headset; kNotPadOrHeadset when the selected device is
// another kind, which the keyboard's `light` then handles.
inline constexpr int kNotPadOrHeadset = -1;
int RunPadHeadsetLight(CliContext& context);

}  // namespace vestra::cli
