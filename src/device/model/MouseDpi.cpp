#include "device/model/MouseDpi.h"

#include <algorithm>
#include <cctype>
#include <cstdint>

namespace vestra {

DpiScale DpiScale::FromInfo(const protocol::DeviceInfo& info) {
    DpiScale scale;
    scale.sensor = info.SensorCode();
    // A step of 0 would divide by zero; such a block is taken at the ordinary step.
    if (info.DpiStep() != 0) scale.step = info.DpiStep();
    scale.minimum = info.MinDpi();
    scale.sliderMax = info.MaxDpi();
    return scale;
}

uint16_t SliderToDpi(int position) {
    position = std::max(position, 0);
    const int dpi = position < kFineSliderPositions ? 50 * position + 50 : 100 * position - 10000;
    return static_cast<uint16_t>(std::min(dpi, int{UINT16_MAX}));
}

int DpiToSlider(uint16_t value, const DpiScale& scale) {
    int position;
    if (value <= kFineDpiLimit) {
        position = value < scale.minimum ? 0 : (value - scale.minimum) / scale.step;
    } else {
        position = (value - kFineDpiLimit) / 100 + kFineSliderPositions;
    }
    return std::min(position, int{scale.sliderMax});
}

std::string StageEditText(uint16_t value, const DpiScale& scale) {
    if (!scale.StepIndexSensor()) return std::to_string(value);
    const int dpi = value <= kStepIndexFineSteps
                        ? value * scale.step + scale.minimum
                        : scale.step * kStepIndexFineSteps +
                              (value - kStepIndexFineSteps) * kStepIndexCoarseStep + scale.minimum;
    return std::to_string(dpi);
}

uint16_t ParseStageEdit(std::string_view text, const DpiScale& scale) {
    // Leading decimal digits, as the edit's own number conversion reads them.
    size_t at = 0;
    while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at]))) ++at;
    int64_t value = 0;
    for (; at < text.size() && std::isdigit(static_cast<unsigned char>(text[at])); ++at) {
        value = std::min<int64_t>(value * 10 + (text[at] - '0'), INT32_MAX);
    }
    value = std::clamp<int64_t>(value, scale.minimum, std::max(scale.minimum, kMouseEditMaxDpi));
    if (scale.StepIndexSensor()) {
        // The inverse of StageEditText, so that the edit shows the DPI that was typed (rounded
        // down to the scale).
        const int64_t fineDpi = int64_t{scale.step} * kStepIndexFineSteps;
        if (value - scale.minimum <= fineDpi) {
            return static_cast<uint16_t>((value - scale.minimum) / scale.step);
        }
        return static_cast<uint16_t>((value - scale.minimum - fineDpi) / kStepIndexCoarseStep +
                                     kStepIndexFineSteps);
    }
    const int64_t unit = value <= kFineDpiLimit ? 50 : 100;
    return static_cast<uint16_t>(value / unit * unit);
}

int PollingOption(int index) {
    return index >= 0 && index < kMousePollingOptions ? index : 0;
}

int SensorHeightItem(int index) {
    return index >= 0 && index < kMouseSensorHeightItems ? index : 0;
}

bool CanDisableStage(std::span<const DpiStage> stages, int selected, int n) {
    if (n == selected) return false;
    int enabled = 0;
    for (int i = 0; i < kMouseStageCount && i < static_cast<int>(stages.size()); ++i) {
        if (stages[i].active != 0) ++enabled;
    }
    const bool isEnabled = n >= 0 && n < static_cast<int>(stages.size()) && stages[n].active != 0;
    return !isEnabled || enabled > 1;
}

}  // namespace vestra
