// The mouse's DPI arithmetic: slider positions, edit texts and their parsing for both sensor
// variants, and the rules for the stage, polling and sensor-height choices.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "device/protocol/DeviceInfo.h"
#include "profile/ProfileRecords.h"

namespace vestra {

inline constexpr int kMouseStageCount = 4;
inline constexpr int kMousePollingOptions = 5;       // polling-rate indexes 0-4
inline constexpr int kMouseSensorHeightItems = 3;    // sensor heights 0-2
inline constexpr uint16_t kMouseEditMaxDpi = 19000;  // the range of a stage's edit box
// Slider positions below this cover 50-10000 in steps of 50; from here on steps of 100.
inline constexpr int kFineSliderPositions = 200;
inline constexpr uint16_t kFineDpiLimit = 10000;
// The step-index sensor keeps the fine scale up to this index, then steps of 200 DPI.
inline constexpr uint16_t kStepIndexFineSteps = 48;
inline constexpr uint16_t kStepIndexCoarseStep = 200;

// The sensor data of the information block that the conversions use.
struct DpiScale {
    uint16_t sensor = 0;
    uint8_t step = 50;         // DPI per slider position below 10000
    uint16_t minimum = 50;     // the lowest value an edit accepts; origin of the slider scale
    uint16_t sliderMax = 290;  // the information block's maximum field: a slider position

    static DpiScale FromInfo(const protocol::DeviceInfo& info);
    // Stage values of this sensor are step indexes, not DPI.
    bool StepIndexSensor() const { return sensor == protocol::kStepIndexSensor; }
};

// 50 × s + 50 below position 200, 100 × s − 10000 from there on.
uint16_t SliderToDpi(int position);
// The slider position that shows a stage value, kept within 0 .. sliderMax.
int DpiToSlider(uint16_t value, const DpiScale& scale);
// The edit text of a stage value: the value itself, or the DPI of a step index.
std::string StageEditText(uint16_t value, const DpiScale& scale);
// The stage value of an edit text. Never fails: empty or non-numeric text counts as 0, a value
// below the minimum is raised to it and one above the edit's range lowered to 19000. Ordinary
// sensors round down to a multiple of 50 (to 10000) or 100 (above); the step-index sensor
// gets the step index whose DPI is the typed value rounded down to its scale.
uint16_t ParseStageEdit(std::string_view text, const DpiScale& scale);

// Out-of-range choices fall back to the first option.
int PollingOption(int index);
int SensorHeightItem(int index);

// Whether stage n may be switched off: never the selected stage (its check is locked) nor the
// last enabled one.
bool CanDisableStage(std::span<const DpiStage> stages, int selected, int n);

}  // namespace vestra
