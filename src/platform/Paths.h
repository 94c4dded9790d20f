// Where the program keeps per-user data and settings, and where its shipped folders are.
#pragma once

#include <filesystem>

namespace vestra {

class Paths {
public:
    // The application name; it names the per-user folders.
    static constexpr const char* kAppName = "Vestra Zezevava Software";

    // $XDG_DATA_HOME (default ~/.local/share) / kAppName. Not created here.
    static std::filesystem::path DataFolder();
    // $XDG_CONFIG_HOME (default ~/.config) / kAppName. Not created here.
    static std::filesystem::path ConfigFolder();
    // A shipped folder ("DefaultData", "skin", "Font"): beside the executable, then under the
    // install prefix's share/vestra, then in the source tree. Empty when none exists.
    static std::filesystem::path ShippedFolder(const std::string& name);
};

}  // namespace vestra
