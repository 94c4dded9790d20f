// A device's lighting modes and light area names for its model, from "default_light.json".
#pragma once

#include <json/value.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace vestra {

class ModeTable {
public:
    // Mode indexes at or above this are not device modes (the host-side effects); the settings
    // record carries mode index 0 for them.
    static constexpr int kFirstHostMode = 31;
    static constexpr const char* kFileName = "default_light.json";

    // Takes "DefaultLightName"[modelIndex] and "AreaLightName"[modelIndex] of the document; an
    // absent entry leaves its lists empty.
    void Load(const Json::Value& document, int modelIndex);
    // The same from a file; a missing or broken file empties the table.
    void LoadFile(const std::filesystem::path& file, int modelIndex);

    // The device mode code of a mode index. Indexes of kFirstHostMode or more, and indexes the
    // table does not hold, send entry 0; with an empty table the index goes out unchanged.
    uint8_t CodeOfIndex(uint8_t index) const;
    // The index of the first entry with this code; a code no entry has is kept as the index.
    uint8_t IndexOfCode(uint8_t code) const;

    const std::vector<std::string>& Names() const { return m_names; }
    const std::vector<bool>& Visible() const { return m_visible; }
    const std::vector<uint8_t>& Codes() const { return m_codes; }
    const std::vector<std::string>& AreaNames() const { return m_areaNames; }

private:
    std::vector<std::string> m_names;
    std::vector<bool> m_visible;
    std::vector<uint8_t> m_codes;
    std::vector<std::string> m_areaNames;
};

}  // namespace vestra
