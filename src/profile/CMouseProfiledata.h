// The mouse's profile data: DPI stages, system and report settings, correction presets.
#pragma once

#include <cstdint>
#include <vector>

#include "profile/CBasicProfiledata.h"

namespace vestra {

class CMouseProfiledata : public CBasicProfiledata {
public:
    // The stages read from "StageDPIs" merged over the stages held from before, position by
    // position: a shorter stored list leaves the later held stages as they were. Also takes the
    // active stage. Without "DPIStages" the held stages are returned unchanged.
    std::vector<DpiStage> GetDpiStages();
    void SetDpiStages(const std::vector<DpiStage>& stages);
    // The active stage as last read by GetDpiStages or set.
    int GetActiveStage() const { return m_activeStage; }
    void SetActiveStage(int index);

    MouseSystemSettings GetMouseSystemStages() const;
    // Word 0: DoubleClickTime/MouseSpeed, word 1: PointerPrecision/ScorllPage, word 2:
    // WheelScorlllinse/report rate ("ReportStages"), each a (low, high) pair of 16-bit halves.
    void SetMouseSystemStages(uint32_t word0, uint32_t word1, uint32_t word2);

    std::vector<CorrectPreset> GetCorrectPresets() const;

    ProfessionalSettings GetProfessional() const;
    // Bytes 0-3 of the record and byte 4.
    void SetProfessional(uint32_t word0, uint8_t byte4);

private:
    std::vector<DpiStage> m_dpiStages;
    int m_activeStage = 0;
};

}  // namespace vestra
