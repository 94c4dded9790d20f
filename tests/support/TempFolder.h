// A fresh folder under the system's temporary folder, removed with everything in it at the end.
#pragma once

#include <filesystem>
#include <string>

namespace vestra::test {

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& Path() const { return m_path; }
    // Writes text to a file below the folder, creating parent folders.
    std::filesystem::path Write(const std::string& relative, const std::string& text) const;
    std::string Read(const std::string& relative) const;

private:
    std::filesystem::path m_path;
};

// Points XDG_DATA_HOME and XDG_CONFIG_HOME into a temporary folder for one test's lifetime.
class ScopedDataHome {
public:
    ScopedDataHome();
    ~ScopedDataHome();
    const std::filesystem::path& Path() const { return m_folder.Path(); }

private:
    TempFolder m_folder;
    std::string m_oldData, m_oldConfig;
    bool m_hadData, m_hadConfig;
};

}  // namespace vestra::test
