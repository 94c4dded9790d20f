// The stored background choice: "main.ini" in the per-user data folder, section [SKINIMAGE].
#pragma once

#include <QString>
#include <filesystem>
#include <optional>

namespace vestra::app {

struct SkinImageChoice {
    int flags = 0;  // MainIni::kFlagsPreset or MainIni::kFlagsReset
    QString image;
};

class MainIni {
public:
    static constexpr int kFlagsReset = 0;   // the default background was chosen
    static constexpr int kFlagsPreset = 1;  // a preset image was chosen

    // The file is <folder>/main.ini; by default folder is Paths::DataFolder().
    explicit MainIni(std::filesystem::path folder);
    MainIni();

    // Writes FLAGS and IMAGE, keeping whatever else the file holds; false when it cannot be
    // written.
    bool Write(int flags, const QString& image) const;
    // The stored choice; nothing when the file or the image is missing.
    std::optional<SkinImageChoice> Read() const;

    QString FilePath() const;

private:
    std::filesystem::path m_folder;
};

}  // namespace vestra::app
