// A device's macro library: "macro.config" with the ordered macro names, and one ".mac" file
// of events per macro, in the device's data folder.
#pragma once

#include <json/value.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "profile/JsonFile.h"
#include "profile/MacroEvent.h"
#include "profile/ProfileRecords.h"

namespace vestra {

// Key function types that play a macro; value 1 is the macro number, the macro's position in
// "MacroInfo". 0x70 carries a play mode in value 2, 0x71 a repeat count.
inline constexpr uint8_t kMacroPlayType = 0x70;
inline constexpr uint8_t kMacroRepeatType = 0x71;

bool IsMacroBinding(const KeyAssignment& key);
// True when a key's current code plays macro number macro.
bool KeysUseMacro(std::span<const KeyAssignmentPair> keys, int macro);
// The key bindings after macro number deleted is removed from the library: keys that played it
// get their default code, keys that played a later macro follow it one place down. True when
// any key changed.
bool RenumberKeysAfterMacroDelete(std::span<KeyAssignmentPair> keys, int deleted);

// Why a library operation changed nothing (Done when it did its work).
enum class MacroOutcome {
    Done,
    NoSuchMacro,      // the index is outside the library
    NameTaken,        // another macro has this name (letter case aside)
    NameBlank,        // the name is empty or only white space
    TooManyMacros,    // adding beyond kMaxMacros
    NotAMacroFile,    // an import that is not JSON or has no "Events" array
    MacroUnreadable,  // an export of a macro whose file is missing or broken
    WriteFailed,      // a file could not be written; the files are as they were
};

struct MacroDeleteResult {
    MacroOutcome outcome = MacroOutcome::Done;
    int profilesChanged = 0;  // profile files whose key bindings were renumbered
};

class MacroLibrary {
public:
    using WallClock = std::function<std::chrono::system_clock::time_point()>;

    static constexpr int kMaxMacros = 50;
    static constexpr int kMacroFileVersion = 64;
    static constexpr const char* kLibraryFileName = "macro.config";

    // dataFolder is the device's data folder, which also holds its profiles.
    explicit MacroLibrary(std::filesystem::path dataFolder,
                          WallClock clock = std::chrono::system_clock::now);

    // Reads "macro.config"; a missing or broken file gives an empty library. Every change below
    // reads the file again first, so the library follows changes made by another program.
    void Load();
    int Count() const;
    std::vector<std::string> Names() const;
    // The ".mac" file of macro index, named by its "Guid"; empty when there is no such macro or
    // its "Guid" is not a usable file name.
    std::filesystem::path MacroFilePath(int index) const;

    // Appends "macro_N" with the first N whose name is free and an empty macro file; the new
    // macro is the last one.
    MacroOutcome Add();
    MacroOutcome Rename(int index, std::string_view name);
    // Removes the macro and its file and renumbers the key bindings of every profile of the
    // folder (RenumberKeysAfterMacroDelete). The caller renumbers the key list it holds in
    // memory the same way. A failed write puts back the files already changed.
    MacroDeleteResult Delete(int index);
    // Whether the selected profile ("profileselect") has keys playing macro index, which the
    // user is asked about before a delete.
    bool SelectedProfileUsesMacro(int index) const;

    // The events of a macro; none when its file is missing or broken.
    std::vector<MacroEvent> LoadEvents(int index) const;
    // Replaces the macro's events; other keys of the file stay.
    MacroOutcome SaveEvents(int index, std::span<const MacroEvent> events);

    // Adds a macro (named as Add names it) whose file holds the content of a macro file.
    MacroOutcome Import(const std::filesystem::path& file);
    MacroOutcome Export(int index, const std::filesystem::path& target) const;

    const std::filesystem::path& DataFolder() const { return m_dataFolder; }

private:
    std::filesystem::path LibraryPath() const;
    std::filesystem::path FileOfGuid(const std::string& guid) const;
    std::string GuidAt(int index) const;
    bool IsInLibrary(int index) const;
    std::string MakeGuid() const;
    MacroOutcome AddMacro(Json::Value macroFile);
    MacroOutcome WriteLibrary(const Json::Value& document);

    std::filesystem::path m_dataFolder;
    WallClock m_clock;
    Json::Value m_document;  // "macro.config" as last read or written
    JsonFile::ReadStatus m_status = JsonFile::ReadStatus::Missing;
};

}  // namespace vestra
