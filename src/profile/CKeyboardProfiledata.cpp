#include "profile/CKeyboardProfiledata.h"

#include <algorithm>

#include "profile/JsonAccess.h"

namespace vestra {
using json::IntMember;
using json::Member;
using json::MemberForWrite;

namespace {

Json::Value& ColorGroupForWrite(Json::Value& entry, int group) {
    Json::Value& groups =
        MemberForWrite(MemberForWrite(entry, "CustomLightMode"), "LightColorInfo");
    return json::ElementForWrite(groups, group);
}

// Sets the four values one by one, so other keys of the element stay.
void WriteColor(Json::Value& element, const CustomColor& color) {
    MemberForWrite(element, "Red") = color.red;
    MemberForWrite(element, "Green") = color.green;
    MemberForWrite(element, "Blue") = color.blue;
    MemberForWrite(element, "Alpha") = color.alpha;
}

}  // namespace

KeyboardSystemSettings CKeyboardProfiledata::GetSystemStages() const {
    const Json::Value& stages = Member(m_entry, "SystemStages");
    KeyboardSystemSettings settings{};
    settings.repeat = IntMember<uint16_t>(stages, "Repeat");
    settings.repeatDelay = IntMember<uint16_t>(stages, "RepeatDelay");
    settings.key6Flag = IntMember<uint16_t>(stages, "Key6Flag");
    settings.pollingRate = IntMember<uint16_t>(stages, "PollingRate");
    settings.wFlag = IntMember<uint16_t>(stages, "WFlag");
    settings.winFlag = IntMember<uint16_t>(stages, "WinFlag");
    return settings;
}

void CKeyboardProfiledata::SetSystemStages(uint32_t word0, uint32_t word1, uint32_t word2) {
    Json::Value& stages = MemberForWrite(m_entry, "SystemStages");
    MemberForWrite(stages, "Repeat") = static_cast<int>(word0 & 0xFFFF);
    MemberForWrite(stages, "RepeatDelay") = static_cast<int>(word0 >> 16);
    MemberForWrite(stages, "Key6Flag") = static_cast<int>(word1 & 0xFFFF);
    MemberForWrite(stages, "PollingRate") = static_cast<int>(word1 >> 16);
    MemberForWrite(stages, "WFlag") = static_cast<int>(word2 & 0xFFFF);
    MemberForWrite(stages, "WinFlag") = static_cast<int>(word2 >> 16);
}

std::vector<CustomColor> CKeyboardProfiledata::GetCustomColors(int group, int count) {
    std::vector<CustomColor> colors;
    if (!json::IsValidIndex(group) || count <= 0) return colors;
    Json::Value& list = ColorGroupForWrite(m_entry, group);
    for (int j = 0; j < std::min(count, json::kMaxIndex); ++j) {
        Json::Value& element = json::ElementForWrite(list, j);
        if (element.isNull()) WriteColor(element, CustomColor{});
        colors.push_back({IntMember<uint8_t>(element, "Red"), IntMember<uint8_t>(element, "Green"),
                          IntMember<uint8_t>(element, "Blue"),
                          IntMember<uint8_t>(element, "Alpha")});
    }
    return colors;
}

void CKeyboardProfiledata::SetCustomColors(const std::vector<CustomColor>& colors, int group) {
    if (!json::IsValidIndex(group) || colors.empty()) return;
    Json::Value& list = ColorGroupForWrite(m_entry, group);
    for (size_t i = 0; i < colors.size() && json::IsValidIndex(static_cast<int>(i)); ++i) {
        WriteColor(json::ElementForWrite(list, static_cast<int>(i)), colors[i]);
    }
}

int CKeyboardProfiledata::GetCustomGroupIndex() const {
    return IntMember<int>(Member(m_entry, "CustomLightMode"), "CustomLightModeGroupIndex");
}

void CKeyboardProfiledata::SetCustomGroupIndex(int group) {
    MemberForWrite(MemberForWrite(m_entry, "CustomLightMode"), "CustomLightModeGroupIndex") = group;
}

}  // namespace vestra
