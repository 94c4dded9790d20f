#include "platform/Paths.h"

#include <unistd.h>

#include <cstdlib>
#include <system_error>

namespace vestra {
namespace fs = std::filesystem;
namespace {

fs::path HomeFolder() {
    const char* home = std::getenv("HOME");
    return home && *home ? fs::path(home) : fs::path("/tmp");
}

// XDG base folders must be absolute; a relative value is ignored, as the base-directory rules
// for these variables say.
fs::path XdgFolder(const char* variable, const char* fallback) {
    const char* value = std::getenv(variable);
    if (value && *value == '/') return fs::path(value);
    return HomeFolder() / fallback;
}

fs::path ExecutableFolder() {
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    return ec ? fs::path() : exe.parent_path();
}

}  // namespace

fs::path Paths::DataFolder() { return XdgFolder("XDG_DATA_HOME", ".local/share") / kAppName; }

fs::path Paths::ConfigFolder() { return XdgFolder("XDG_CONFIG_HOME", ".config") / kAppName; }

fs::path Paths::ShippedFolder(const std::string& name) {
    std::error_code ec;
    const fs::path exeFolder = ExecutableFolder();
    for (const fs::path& base : {exeFolder, exeFolder.parent_path() / "share" / "vestra",
                                 fs::path(VESTRA_INSTALL_DATA_DIR), fs::path(VESTRA_SOURCE_DATA_DIR)}) {
        if (base.empty()) continue;
        fs::path candidate = base / name;
        if (fs::is_directory(candidate, ec)) return candidate;
    }
    return {};
}

}  // namespace vestra
