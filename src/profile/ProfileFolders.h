// Where a device kind keeps its profiles, and its shipped default profile.
#pragma once

#include <filesystem>

#include "hid/DeviceKind.h"

namespace vestra {

// The per-user data folder of the kind, named by its kind name ("keyboard", "mouse",
// "MousePad", "HD"). Not created here.
std::filesystem::path KindDataFolder(hid::DeviceKind kind);
// The kind's default profile: kind name + ".Json" in the shipped "DefaultData" folder; empty
// when that folder is not found.
std::filesystem::path KindDefaultProfile(hid::DeviceKind kind);

}  // namespace vestra
