// The languages the application offers, read from DefaultData/Language.config.
#pragma once

#include <QString>
#include <filesystem>
#include <optional>
#include <vector>

namespace vestra::app {

// One element of the "Language" array; its position in the array is the language index.
struct LanguageEntry {
    QString name;           // "Language_name"
    QString file;           // "Language_file": the language text file in the skin folder
    std::optional<int> id;  // "Language_ID": the identifier stored as the user's choice
    QString text;           // "Language_text": the name shown in the language list
};

class LanguageList {
public:
    // Reads a Language.config; a missing or unreadable file gives an empty list. Elements that
    // are not objects keep their place (as empty entries) so later indexes stay right.
    static LanguageList Load(const std::filesystem::path& file);
    // The shipped DefaultData/Language.config.
    static LanguageList LoadShipped();

    size_t Count() const { return m_entries.size(); }
    // The element at index; an empty entry (no name, file or id) when there is none.
    LanguageEntry At(int index) const;
    // The index of the first element with this id, -1 when none has it.
    int IndexOfId(int id) const;

private:
    std::vector<LanguageEntry> m_entries;
};

}  // namespace vestra::app
