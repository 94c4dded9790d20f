// The settings of a device's active profile in memory: the profile file's entry for the device,
// read and written key by key and converted to and from the device records.
#pragma once

#include <json/value.h>

#include <cstdint>
#include <filesystem>
#include <vector>

#include "profile/JsonFile.h"
#include "profile/ProfileRecords.h"

namespace vestra {

// Used as it is by the mouse pad; the other kinds use its subclasses. Getters and setters work
// on the in-memory entry; nothing reaches the disk before SaveEntry or SaveSideEntryTo.
class CBasicProfiledata {
public:
    virtual ~CBasicProfiledata() = default;

    // Empty paths are ignored.
    void SetProfilePath(const std::filesystem::path& path);
    const std::filesystem::path& GetProfilePath() const { return m_profilePath; }
    void SetDefaultPath(const std::filesystem::path& path);
    void SetLightConfigPath(const std::filesystem::path& path) { m_lightConfigPath = path; }
    const std::filesystem::path& GetLightConfigPath() const { return m_lightConfigPath; }
    // Which element of "Device" is this device's entry (every device uses 0). A negative or
    // absurd index is ignored.
    void SetDeviceIndex(int index);

    // Makes "Device"[index] of the file the working entry. When the file lacks it (the file is
    // missing, broken, or has no such element) the entry comes from the default file and is
    // written into the file; a file that did not parse is kept beside it as "<name>.broken".
    Json::Value LoadEntry(const std::filesystem::path& path);
    // The same for the side entry, which edits another profile without touching the working one.
    Json::Value LoadSideEntry(const std::filesystem::path& path);
    // The light configuration file (null when unreadable); it names the custom effects.
    Json::Value LoadLightConfig(const std::filesystem::path& path);
    const Json::Value& Entry() const { return m_entry; }

    // Each reads the file, replaces "Device"[index] and writes the whole document back, so the
    // file's other keys and entries stay.
    JsonFile::WriteResult SaveEntry() const;
    JsonFile::WriteResult WriteEntryTo(const Json::Value& entry,
                                       const std::filesystem::path& path) const;
    JsonFile::WriteResult SaveSideEntryTo(const std::filesystem::path& path) const;
    JsonFile::WriteResult WriteDocument(const Json::Value& document,
                                        const std::filesystem::path& path) const;

    LightInfoRecord GetLightInfo();
    void SetLightInfo(const LightInfoRecord& info);
    // The record as the device objects pass it: bytes 0-3, 4-7, 8-11 and 12-13, little-endian.
    void SetLightInfo(uint32_t word0, uint32_t word1, uint32_t word2, uint16_t half);
    AudioLightRecord GetAudioLightInfo() const;
    // Bytes 0-3, 4-7 and byte 8 of the record.
    void SetAudioLightInfo(uint32_t word0, uint32_t word1, uint8_t byte8);
    std::vector<LightListEntry> GetLightList() const;
    // The steps of the custom effect that the light configuration names for the SelectItem of
    // the last light info read or set; empty when there is none.
    std::vector<LightStep> GetCustomLightSteps() const;

    std::vector<KeyAssignmentPair> GetKeyList() const { return ReadKeyList(m_entry); }
    // Writes "Assignment" of element i for each pair; "DefaultAssignment" is left as it is.
    void SetKeyList(const std::vector<KeyAssignmentPair>& keys) { WriteKeyList(m_entry, keys); }
    std::vector<KeyAssignmentPair> GetSideKeyList() const { return ReadKeyList(m_sideEntry); }
    void SetSideKeyList(const std::vector<KeyAssignmentPair>& keys) {
        WriteKeyList(m_sideEntry, keys);
    }

protected:
    Json::Value m_entry;
    int m_deviceIndex = 0;

private:
    Json::Value LoadInto(Json::Value& entry, const std::filesystem::path& path) const;
    static std::vector<KeyAssignmentPair> ReadKeyList(const Json::Value& entry);
    static void WriteKeyList(Json::Value& entry, const std::vector<KeyAssignmentPair>& keys);

    std::filesystem::path m_profilePath;
    std::filesystem::path m_defaultPath;
    std::filesystem::path m_lightConfigPath;
    LightInfoRecord m_lightInfo{};  // picks the custom effect
    Json::Value m_sideEntry;
    Json::Value m_lightConfig;
};

}  // namespace vestra
