#include "device/model/ModeTable.h"

#include "profile/JsonAccess.h"
#include "profile/JsonFile.h"

namespace vestra {

void ModeTable::Load(const Json::Value& document, int modelIndex) {
    *this = {};
    const Json::Value& modes =
        json::Element(json::Member(document, "DefaultLightName"), modelIndex);
    for (int i = 0; i < json::ArraySize(modes); ++i) {
        const Json::Value& mode = json::Element(modes, i);
        m_names.push_back(json::ToString(json::Member(mode, "LightName")));
        m_visible.push_back(json::ToBool(json::Member(mode, "visible")));
        m_codes.push_back(json::IntMember<uint8_t>(mode, "value"));
    }
    const Json::Value& areas = json::Element(json::Member(document, "AreaLightName"), modelIndex);
    for (int i = 0; i < json::ArraySize(areas); ++i) {
        m_areaNames.push_back(json::ToString(json::Member(json::Element(areas, i), "LightName")));
    }
}

void ModeTable::LoadFile(const std::filesystem::path& file, int modelIndex) {
    Load(JsonFile::Read(file), modelIndex);
}

uint8_t ModeTable::CodeOfIndex(uint8_t index) const {
    if (m_codes.empty()) return index;
    if (index >= kFirstHostMode || index >= m_codes.size()) return m_codes[0];
    return m_codes[index];
}

uint8_t ModeTable::IndexOfCode(uint8_t code) const {
    for (size_t i = 0; i < m_codes.size(); ++i) {
        if (m_codes[i] == code) return static_cast<uint8_t>(i);
    }
    return code;
}

}  // namespace vestra
