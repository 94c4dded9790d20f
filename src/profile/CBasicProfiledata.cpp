#include "profile/CBasicProfiledata.h"

#include <cstring>
#include <system_error>

#include "platform/DebugLog.h"
#include "profile/JsonAccess.h"
#include "profile/SafeFileName.h"

namespace vestra {
namespace fs = std::filesystem;
using json::BoolMember;
using json::IntMember;
using json::Member;

namespace {

const Json::Value& EntryOf(const Json::Value& document, int deviceIndex) {
    return json::Element(Member(document, "Device"), deviceIndex);
}

// The 3-byte function code of a key, stored in JSON as (A << 16) | (B << 8) | C.
KeyAssignment KeyFromJson(uint16_t keyIndex, const Json::Value& code) {
    const auto value = static_cast<uint32_t>(json::ToInt(code));
    return {keyIndex, {uint8_t(value >> 16), uint8_t(value >> 8), uint8_t(value)}, 0};
}

int KeyToJson(const KeyAssignment& key) {
    return (key.code[0] << 16) | (key.code[1] << 8) | key.code[2];
}

}  // namespace

void CBasicProfiledata::SetProfilePath(const fs::path& path) {
    if (!path.empty()) m_profilePath = path;
}

void CBasicProfiledata::SetDefaultPath(const fs::path& path) {
    if (!path.empty()) m_defaultPath = path;
}

void CBasicProfiledata::SetDeviceIndex(int index) {
    if (json::IsValidIndex(index)) m_deviceIndex = index;
}

Json::Value CBasicProfiledata::LoadInto(Json::Value& entry, const fs::path& path) const {
    Json::Value document;
    const JsonFile::ReadStatus status = JsonFile::Read(path, document);
    entry = EntryOf(document, m_deviceIndex);
    if (entry.isNull()) {
        entry = EntryOf(JsonFile::Read(m_defaultPath), m_deviceIndex);
        // A file that is there but is not a profile document is about to be replaced; it may
        // hold the user's settings behind a typing error, so it is kept aside, not lost.
        if (status == JsonFile::ReadStatus::Invalid ||
            (status == JsonFile::ReadStatus::Ok && !document.isObject())) {
            fs::path kept = path;
            kept += ".broken";
            std::error_code ec;
            fs::rename(path, kept, ec);
            DebugLog::Printf("profile %s does not parse; kept as %s", path.c_str(), kept.c_str());
        }
        json::ElementForWrite(json::MemberForWrite(document, "Device"), m_deviceIndex) = entry;
        JsonFile::Write(path, document);
    }
    return entry;
}

Json::Value CBasicProfiledata::LoadEntry(const fs::path& path) {
    return LoadInto(m_entry, path);
}

Json::Value CBasicProfiledata::LoadSideEntry(const fs::path& path) {
    return LoadInto(m_sideEntry, path);
}

Json::Value CBasicProfiledata::LoadLightConfig(const fs::path& path) {
    m_lightConfig = JsonFile::Read(path);
    return m_lightConfig;
}

JsonFile::WriteResult CBasicProfiledata::SaveEntry() const {
    return WriteEntryTo(m_entry, m_profilePath);
}

JsonFile::WriteResult CBasicProfiledata::WriteEntryTo(const Json::Value& entry,
                                                      const fs::path& path) const {
    Json::Value document = JsonFile::Read(path);
    json::ElementForWrite(json::MemberForWrite(document, "Device"), m_deviceIndex) = entry;
    return JsonFile::Write(path, document);
}

JsonFile::WriteResult CBasicProfiledata::SaveSideEntryTo(const fs::path& path) const {
    return WriteEntryTo(m_sideEntry, path);
}

JsonFile::WriteResult CBasicProfiledata::WriteDocument(const Json::Value& document,
                                                       const fs::path& path) const {
    return JsonFile::Write(path, document);
}

LightInfoRecord CBasicProfiledata::GetLightInfo() {
    const Json::Value& info = Member(m_entry, "LightInfo");
    LightInfoRecord record{};
    record.selectItem = IntMember<uint8_t>(info, "SelectItem");
    record.light = IntMember<uint8_t>(info, "Light");
    record.speed = IntMember<uint8_t>(info, "Speed");
    record.fx = IntMember<uint8_t>(info, "Fx");
    record.multiColor = BoolMember(info, "MultiColor");
    record.red = IntMember<uint8_t>(info, "Red");
    record.green = IntMember<uint8_t>(info, "Green");
    record.blue = IntMember<uint8_t>(info, "Blue");
    record.zzccLedMode = IntMember<uint8_t>(info, "ZZCCLedMode");
    record.customGroup = IntMember<uint8_t>(info, "CustomGroup");
    record.oldLedMode = IntMember<uint8_t>(info, "OldLedmode");
    m_lightInfo = record;
    return record;
}

void CBasicProfiledata::SetLightInfo(const LightInfoRecord& record) {
    m_lightInfo = record;
    // A new object: sub-keys of "LightInfo" not named here are dropped.
    Json::Value info(Json::objectValue);
    info["SelectItem"] = record.selectItem;
    info["Light"] = record.light;
    info["Speed"] = record.speed;
    info["Fx"] = record.fx;
    info["MultiColor"] = record.multiColor ? 1 : 0;
    info["Red"] = record.red;
    info["Green"] = record.green;
    info["Blue"] = record.blue;
    info["ZZCCLedMode"] = record.zzccLedMode;
    info["CustomGroup"] = record.customGroup;
    info["OldLedmode"] = record.oldLedMode;
    json::MemberForWrite(m_entry, "LightInfo") = info;
}

void CBasicProfiledata::SetLightInfo(uint32_t word0, uint32_t word1, uint32_t word2,
                                     uint16_t half) {
    LightInfoRecord record;
    auto* bytes = reinterpret_cast<uint8_t*>(&record);
    std::memcpy(bytes + 0, &word0, 4);
    std::memcpy(bytes + 4, &word1, 4);
    std::memcpy(bytes + 8, &word2, 4);
    std::memcpy(bytes + 12, &half, 2);
    std::memset(record.reserved, 0, sizeof record.reserved);
    SetLightInfo(record);
}

AudioLightRecord CBasicProfiledata::GetAudioLightInfo() const {
    const Json::Value& info = Member(m_entry, "AudioLightInfo");
    AudioLightRecord record{};
    record.audioMode = IntMember<uint8_t>(info, "AudioMode");
    record.backRed = IntMember<uint8_t>(info, "BkColorR");
    record.backGreen = IntMember<uint8_t>(info, "BkColorG");
    record.backBlue = IntMember<uint8_t>(info, "BkColorB");
    record.foreRed = IntMember<uint8_t>(info, "FgColorR");
    record.foreGreen = IntMember<uint8_t>(info, "FgColorG");
    record.foreBlue = IntMember<uint8_t>(info, "FgColorB");
    record.sevenColors = BoolMember(info, "7ColorFlags");
    record.colorTypeFlags = BoolMember(info, "ColorTypeFlags");
    return record;
}

void CBasicProfiledata::SetAudioLightInfo(uint32_t word0, uint32_t word1, uint8_t byte8) {
    AudioLightRecord record;
    auto* bytes = reinterpret_cast<uint8_t*>(&record);
    std::memcpy(bytes + 0, &word0, 4);
    std::memcpy(bytes + 4, &word1, 4);
    record.colorTypeFlags = byte8;

    Json::Value info(Json::objectValue);
    info["AudioMode"] = record.audioMode;
    info["BkColorR"] = record.backRed;
    info["BkColorG"] = record.backGreen;
    info["BkColorB"] = record.backBlue;
    info["FgColorR"] = record.foreRed;
    info["FgColorG"] = record.foreGreen;
    info["FgColorB"] = record.foreBlue;
    info["7ColorFlags"] = record.sevenColors ? 1 : 0;
    info["ColorTypeFlags"] = record.colorTypeFlags ? 1 : 0;
    json::MemberForWrite(m_entry, "AudioLightInfo") = info;
}

std::vector<LightListEntry> CBasicProfiledata::GetLightList() const {
    const Json::Value& list = Member(m_entry, "LightList");
    std::vector<LightListEntry> entries(json::ArraySize(list), LightListEntry{});
    for (size_t i = 0; i < entries.size(); ++i) {
        const Json::Value& element = json::Element(list, static_cast<int>(i));
        if (!element.isObject()) continue;  // a null element: all zero, not present
        LightListEntry& entry = entries[i];
        entry.mode = IntMember<uint8_t>(element, "LEDREGMode");
        entry.brightness = IntMember<uint8_t>(element, "LEDBrightness");
        entry.speed = IntMember<uint8_t>(element, "LEDSpeed");
        entry.direction = BoolMember(element, "LEDDirection");
        entry.multiColor = BoolMember(element, "LEDMultiColor");
        entry.red = IntMember<uint8_t>(element, "red");
        entry.green = IntMember<uint8_t>(element, "green");
        entry.blue = IntMember<uint8_t>(element, "blue");
        entry.present = 1;
    }
    return entries;
}

std::vector<LightStep> CBasicProfiledata::GetCustomLightSteps() const {
    const Json::Value& effects = json::Element(Member(m_lightConfig, "LightInfo"), m_deviceIndex);
    const std::string guid =
        json::ToString(Member(json::Element(effects, m_lightInfo.selectItem), "Guid"));
    if (!IsSafeFileStem(guid)) return {};
    // Effect files live beside the light configuration that names them.
    const Json::Value effect = JsonFile::Read(m_lightConfigPath.parent_path() / (guid + ".light"));
    const Json::Value& list = Member(effect, "LEDEffectList");
    std::vector<LightStep> steps(json::ArraySize(list), LightStep{});
    for (size_t i = 0; i < steps.size(); ++i) {
        const Json::Value& element = json::Element(list, static_cast<int>(i));
        LightStep& step = steps[i];
        step.mode = IntMember<uint8_t>(element, "LEDREGMode");
        step.brightness = IntMember<uint8_t>(element, "LEDBrightness");
        step.speed = IntMember<uint8_t>(element, "LEDSpeed");
        step.direction = IntMember<uint8_t>(element, "LEDDirection");
        step.multiColor = IntMember<uint8_t>(element, "LEDMultiColor");
        step.red = IntMember<uint8_t>(element, "red");
        step.green = IntMember<uint8_t>(element, "green");
        step.blue = IntMember<uint8_t>(element, "blue");
        step.time = IntMember<int32_t>(element, "Time");
        step.cycle = IntMember<int32_t>(element, "Cyle");
    }
    return steps;
}

std::vector<KeyAssignmentPair> CBasicProfiledata::ReadKeyList(const Json::Value& entry) {
    const Json::Value& list = Member(entry, "KeyList");
    std::vector<KeyAssignmentPair> keys;
    for (int i = 0; i < json::ArraySize(list); ++i) {
        const Json::Value& element = json::Element(list, i);
        const auto index = static_cast<uint16_t>(i);
        keys.push_back({KeyFromJson(index, Member(element, "Assignment")),
                        KeyFromJson(index, Member(element, "DefaultAssignment"))});
    }
    return keys;
}

void CBasicProfiledata::WriteKeyList(Json::Value& entry,
                                     const std::vector<KeyAssignmentPair>& keys) {
    if (keys.empty()) return;
    Json::Value& list = json::MemberForWrite(entry, "KeyList");
    for (size_t i = 0; i < keys.size() && json::IsValidIndex(static_cast<int>(i)); ++i) {
        Json::Value& element = json::ElementForWrite(list, static_cast<int>(i));
        json::MemberForWrite(element, "Assignment") = KeyToJson(keys[i].current);
    }
}

}  // namespace vestra
