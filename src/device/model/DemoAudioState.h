// What the simulated audio library of --demo holds, kept between runs beside the emulator's state.
#pragma once

#include <filesystem>

#include "audio/SimulatedAudioLibrary.h"

namespace vestra {

class DemoAudioState {
public:
    // <data folder>/demo/audio.json
    static std::filesystem::path File();
    // Missing or unreadable state leaves the library's defaults.
    static void Load(audio::SimulatedAudioLibrary& library);
    static bool Save(const audio::SimulatedAudioLibrary& library);
};

}  // namespace vestra
