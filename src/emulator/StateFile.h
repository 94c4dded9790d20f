// The emulator's state on disk: a styled JSON document written so that a crash loses nothing.
#pragma once

#include <filesystem>
#include <string>

#include "emulator/EmulatedHidBackend.h"

namespace vestra::emulator {

enum class StateLoad { Loaded, Missing, Invalid };

// Missing: no file there. Invalid: unreadable, not JSON or not a valid state (error says why).
// The backend is changed only when the result is Loaded.
StateLoad LoadStateFile(EmulatedHidBackend& backend, const std::filesystem::path& file,
                        std::string& error);
// Writes a temporary file beside the target and renames it over the target, creating the
// folder first; false with an error when any step fails (the old file is then untouched).
bool SaveStateFile(const EmulatedHidBackend& backend, const std::filesystem::path& file,
                   std::string& error);

}  // namespace vestra::emulator
