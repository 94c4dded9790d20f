#include "profile/CMouseProfiledata.h"

#include "profile/JsonAccess.h"

namespace vestra {
using json::IntMember;
using json::Member;
using json::MemberForWrite;

std::vector<DpiStage> CMouseProfiledata::GetDpiStages() {
    const Json::Value& dpi = Member(m_entry, "DPIStages");
    if (dpi.isNull()) return m_dpiStages;
    m_activeStage = IntMember<int>(dpi, "StageActive");
    const Json::Value& list = Member(dpi, "StageDPIs");
    for (int i = 0; i < json::ArraySize(list); ++i) {
        const Json::Value& element = json::Element(list, i);
        DpiStage stage{};
        stage.active = IntMember<uint8_t>(element, "StageActive");
        stage.xy = IntMember<uint8_t>(element, "StageXY");
        stage.SetDpiX(IntMember<uint16_t>(element, "StageDPIX"));
        stage.SetDpiY(IntMember<uint16_t>(element, "StageDPIY"));
        stage.colorRed = IntMember<uint8_t>(element, "StageColorR");
        stage.colorGreen = IntMember<uint8_t>(element, "StageColorG");
        stage.colorBlue = IntMember<uint8_t>(element, "StageColorB");
        if (static_cast<size_t>(i) < m_dpiStages.size()) {
            m_dpiStages[i] = stage;
        } else {
            m_dpiStages.push_back(stage);
        }
    }
    return m_dpiStages;
}

void CMouseProfiledata::SetDpiStages(const std::vector<DpiStage>& stages) {
    m_dpiStages = stages;
    if (stages.empty()) return;
    Json::Value& list = MemberForWrite(MemberForWrite(m_entry, "DPIStages"), "StageDPIs");
    for (size_t i = 0; i < stages.size() && json::IsValidIndex(static_cast<int>(i)); ++i) {
        Json::Value& element = json::ElementForWrite(list, static_cast<int>(i));
        const DpiStage& stage = stages[i];
        MemberForWrite(element, "StageActive") = stage.active;
        MemberForWrite(element, "StageXY") = stage.xy;
        MemberForWrite(element, "StageDPIX") = stage.DpiX();
        MemberForWrite(element, "StageDPIY") = stage.DpiY();
        MemberForWrite(element, "StageColorR") = stage.colorRed;
        MemberForWrite(element, "StageColorG") = stage.colorGreen;
        MemberForWrite(element, "StageColorB") = stage.colorBlue;
    }
}

void CMouseProfiledata::SetActiveStage(int index) {
    m_activeStage = index;
    MemberForWrite(MemberForWrite(m_entry, "DPIStages"), "StageActive") = index;
}

MouseSystemSettings CMouseProfiledata::GetMouseSystemStages() const {
    const Json::Value& system = Member(m_entry, "SystemStages");
    MouseSystemSettings settings{};
    settings.doubleClickTime = IntMember<uint16_t>(system, "DoubleClickTime");
    settings.mouseSpeed = IntMember<uint16_t>(system, "MouseSpeed");
    settings.pointerPrecision = IntMember<uint16_t>(system, "PointerPrecision");
    settings.scrollPage = IntMember<uint16_t>(system, "ScorllPage");
    settings.wheelScrollLines = IntMember<uint16_t>(system, "WheelScorlllinse");
    settings.reportRate = IntMember<uint16_t>(Member(m_entry, "ReportStages"), "StageActive");
    return settings;
}

void CMouseProfiledata::SetMouseSystemStages(uint32_t word0, uint32_t word1, uint32_t word2) {
    Json::Value& system = MemberForWrite(m_entry, "SystemStages");
    MemberForWrite(system, "DoubleClickTime") = static_cast<int>(word0 & 0xFFFF);
    MemberForWrite(system, "MouseSpeed") = static_cast<int>(word0 >> 16);
    MemberForWrite(system, "PointerPrecision") = static_cast<int>(word1 & 0xFFFF);
    MemberForWrite(system, "ScorllPage") = static_cast<int>(word1 >> 16);
    MemberForWrite(system, "WheelScorlllinse") = static_cast<int>(word2 & 0xFFFF);
    MemberForWrite(MemberForWrite(m_entry, "ReportStages"), "StageActive") =
        static_cast<int>(word2 >> 16);
}

std::vector<CorrectPreset> CMouseProfiledata::GetCorrectPresets() const {
    const Json::Value& list = Member(m_entry, "CorrectInfo");
    std::vector<CorrectPreset> presets;
    for (int i = 0; i < json::ArraySize(list); ++i) {
        const Json::Value& element = json::Element(list, i);
        presets.push_back({IntMember<uint8_t>(element, "CorrectPixThresh"),
                           IntMember<uint8_t>(element, "CorrectMinSq"),
                           IntMember<uint8_t>(element, "CorrectSelect"),
                           json::ToString(Member(element, "CorrectName"))});
    }
    return presets;
}

ProfessionalSettings CMouseProfiledata::GetProfessional() const {
    const Json::Value& info = Member(m_entry, "ProfessionalInfo");
    return {IntMember<uint8_t>(info, "line_correct"), IntMember<uint8_t>(info, "delay_time"),
            IntMember<uint8_t>(info, "sensor_height"), IntMember<uint8_t>(info, "angle_set"),
            IntMember<uint8_t>(info, "wave_correct")};
}

void CMouseProfiledata::SetProfessional(uint32_t word0, uint8_t byte4) {
    Json::Value& info = MemberForWrite(m_entry, "ProfessionalInfo");
    MemberForWrite(info, "line_correct") = static_cast<int>(word0 & 0xFF);
    MemberForWrite(info, "delay_time") = static_cast<int>((word0 >> 8) & 0xFF);
    MemberForWrite(info, "sensor_height") = static_cast<int>((word0 >> 16) & 0xFF);
    MemberForWrite(info, "angle_set") = static_cast<int>(word0 >> 24);
    MemberForWrite(info, "wave_correct") = byte4;
}

}  // namespace vestra
