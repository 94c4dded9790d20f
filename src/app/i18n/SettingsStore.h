// The user's application settings (the chosen language), an INI file in the config folder.
#pragma once

#include <QString>
#include <filesystem>
#include <optional>

namespace vestra::app {

class SettingsStore {
public:
    // The store is <folder>/settings.ini; by default folder is Paths::ConfigFolder().
    explicit SettingsStore(std::filesystem::path folder);
    SettingsStore();

    // The stored language identifier, nothing when none is stored or it is not a number.
    std::optional<int> Language() const;
    // Stores the language identifier; false (and nothing else) when the file cannot be written.
    bool StoreLanguage(int id) const;

    QString FilePath() const;

private:
    std::filesystem::path m_folder;
};

}  // namespace vestra::app
