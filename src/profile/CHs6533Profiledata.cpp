#include "profile/CHs6533Profiledata.h"

#include "profile/JsonAccess.h"

namespace vestra {
using json::IntMember;
using json::Member;
using json::MemberForWrite;

namespace {

constexpr const char* kEqKey = "EQHzValueInfo";
constexpr const char* kCustomEqKey = "CustomEQHzValueInfo";

// The stored slot of an equaliser type; -1 for the custom type, which has none.
int EqSlot(int eqType) {
    if (eqType == CHs6533Profiledata::kCustomEqType) return -1;
    return eqType >= 1 && eqType <= 12 ? eqType : 1;
}

}  // namespace

HeadsetSystemSettings CHs6533Profiledata::GetSystemSetStages() const {
    const Json::Value& stages = Member(m_entry, "SystemSetStages");
    return {IntMember<int32_t>(stages, "MagicEnable"),
            IntMember<int32_t>(stages, "MagicType"),
            IntMember<int32_t>(stages, "EqType"),
            IntMember<int32_t>(stages, "CustomEqSeletIndex"),
            IntMember<int32_t>(stages, "MicInSelect"),
            IntMember<int32_t>(stages, "MicInValue"),
            IntMember<int32_t>(stages, "MicMoniterSelect"),
            IntMember<int32_t>(stages, "MicMoniterValue")};
}

void CHs6533Profiledata::SetSystemSetStages(const HeadsetSystemSettings& settings) {
    Json::Value& stages = MemberForWrite(m_entry, "SystemSetStages");
    MemberForWrite(stages, "MagicEnable") = settings.magicEnable;
    MemberForWrite(stages, "MagicType") = settings.magicType;
    MemberForWrite(stages, "EqType") = settings.eqType;
    MemberForWrite(stages, "CustomEqSeletIndex") = settings.customEqSelectIndex;
    MemberForWrite(stages, "MicInSelect") = settings.micInSelect;
    MemberForWrite(stages, "MicInValue") = settings.micInValue;
    MemberForWrite(stages, "MicMoniterSelect") = settings.micMonitorSelect;
    MemberForWrite(stages, "MicMoniterValue") = settings.micMonitorValue;
}

std::vector<int> CHs6533Profiledata::ReadBands(const char* key, int slot) {
    const Json::Value& bands = json::Element(Member(m_entry, key), slot);
    if (bands.isNull()) {
        WriteBands(key, slot, EqBands{});
        return std::vector<int>(kEqBands, 0);
    }
    std::vector<int> values;
    for (int band = 0; band < kEqBands; ++band) {
        values.push_back(IntMember<int32_t>(json::Element(bands, band), "value"));
    }
    return values;
}

void CHs6533Profiledata::WriteBands(const char* key, int slot, const EqBands& bands) {
    Json::Value& slotValue = json::ElementForWrite(MemberForWrite(m_entry, key), slot);
    for (int band = 0; band < kEqBands; ++band) {
        MemberForWrite(json::ElementForWrite(slotValue, band), "value") = bands[band];
    }
}

std::vector<int> CHs6533Profiledata::GetEq(int eqType) {
    const int slot = EqSlot(eqType);
    return slot < 0 ? std::vector<int>() : ReadBands(kEqKey, slot);
}

void CHs6533Profiledata::SetEq(int eqType, const EqBands& bands) {
    const int slot = EqSlot(eqType);
    if (slot >= 0) WriteBands(kEqKey, slot, bands);
}

std::vector<std::string> CHs6533Profiledata::GetCustomEqNames() const {
    const Json::Value& list = Member(m_entry, "CustomEQNameInfo");
    std::vector<std::string> names;
    for (int i = 0; i < json::ArraySize(list); ++i) {
        names.push_back(json::ToString(Member(json::Element(list, i), "Name")));
    }
    return names;
}

void CHs6533Profiledata::SetCustomEqNames(const std::vector<std::string>& names) {
    // A new array: keys of the old elements other than "Name" are dropped.
    Json::Value list(Json::arrayValue);
    for (const std::string& name : names) {
        Json::Value element(Json::objectValue);
        element["Name"] = name;
        list.append(element);
    }
    MemberForWrite(m_entry, "CustomEQNameInfo") = list;
}

std::vector<int> CHs6533Profiledata::GetCustomEq(int index) {
    if (!json::IsValidIndex(index)) return std::vector<int>(kEqBands, 0);
    return ReadBands(kCustomEqKey, index);
}

void CHs6533Profiledata::SetCustomEq(int index, const EqBands& bands) {
    if (json::IsValidIndex(index)) WriteBands(kCustomEqKey, index, bands);
}

}  // namespace vestra
