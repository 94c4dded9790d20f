// The list of a device's profiles ("ProfileList.ini") and the profile files it names.
#pragma once

#include <json/value.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "hid/DeviceKind.h"

namespace vestra {

// Why a list operation changed nothing (Done when it did its work).
enum class ProfileOutcome {
    Done,
    NoSuchProfile,      // the index is outside the list
    NameTaken,          // another profile has this name (letter case aside)
    NameBlank,          // the name is empty or only white space
    TooManyProfiles,    // adding beyond kMaxProfiles
    LastProfile,        // the only profile cannot be deleted
    NotAProfileFile,    // an import that is not JSON or lacks "profilename" / "profileUUID"
    ProfileUnreadable,  // an export of a profile whose file is missing or broken
    WriteFailed,        // a file could not be written; the files are as they were
};

struct ProfileEntry {
    std::string name;  // "profilename"
    std::string uuid;  // "profileUUID"
};

class ProfileList {
public:
    using WallClock = std::function<std::chrono::system_clock::time_point()>;

    static constexpr int kMaxProfiles = 50;  // the limit of AddProfile; copies and imports pass it
    static constexpr const char* kListFileName = "ProfileList.ini";

    // dataFolder holds the list and the profile files; defaultFile is the kind's default profile.
    ProfileList(std::filesystem::path dataFolder, std::filesystem::path defaultFile,
                WallClock clock = std::chrono::system_clock::now);

    // Creates the folder, and the list with one profile "profile1" when the list is missing or
    // holds no profile.
    ProfileOutcome EnsureProfileList();

    // The entries in display order, read from the file each time.
    std::vector<ProfileEntry> Entries() const;
    // "profileselect"; 0 when it is absent or outside the list.
    int SelectedIndex() const;
    int ProfileCount() const;
    // The profile file of entry index; empty when there is no such entry or its identifier is
    // not a usable file name.
    std::filesystem::path ProfilePathAt(int index) const;

    ProfileOutcome SelectProfile(int index);
    // A profile from the default file, named "profileN"; it becomes "profileselect".
    ProfileOutcome AddProfile();
    // A profile from the file of entry source as it is on disk, named "<source> copy".
    ProfileOutcome CopyProfile(int source);
    // A profile from a file of the user's, named after the file.
    ProfileOutcome ImportProfile(const std::filesystem::path& file);
    ProfileOutcome DeleteProfile(int index);
    ProfileOutcome RenameProfile(int index, std::string_view name);
    // Rewrites the profile from the default file; a headset keeps its custom equalisers.
    ProfileOutcome ResetProfile(int index, hid::DeviceKind kind);
    // Writes a reformatted copy of the profile file to target.
    ProfileOutcome ExportProfile(int index, const std::filesystem::path& target) const;

    const std::filesystem::path& DataFolder() const { return m_dataFolder; }

private:
    std::filesystem::path ListPath() const;
    std::filesystem::path FileOf(const std::string& uuid) const;
    Json::Value ReadList() const;
    ProfileOutcome WriteList(const Json::Value& list) const;
    std::string MakeProfileUuid(const Json::Value& list) const;
    ProfileOutcome AppendProfile(Json::Value document, const std::string& name, bool selectNew);

    std::filesystem::path m_dataFolder;
    std::filesystem::path m_defaultFile;
    WallClock m_clock;
};

}  // namespace vestra
