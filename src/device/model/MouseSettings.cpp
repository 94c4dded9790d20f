#include "device/model/MouseSettings.h"

#include <algorithm>

#include "device/protocol/ByteOrder.h"

namespace vestra {

protocol::MouseSettingsBlock EncodeMouseSettings(const MouseSettingsSource& source,
                                                 const MouseSettingsFrame& frame,
                                                 const ModeTable& modes) {
    protocol::MouseSettingsBlock block{};
    block.zero0 = frame.byte0;
    const LightInfoRecord& light = source.light;
    const uint8_t effect = light.selectItem >= kMouseDeviceEffects ? 0 : light.selectItem;
    block.modeCode = modes.CodeOfIndex(effect);
    block.brightness = light.light;
    block.speedCode = protocol::SpeedToWire(light.speed);
    block.direction = light.fx;
    block.multiColor = light.multiColor;
    block.red = light.red;
    block.green = light.green;
    block.blue = light.blue;
    block.pollingIndex = static_cast<uint8_t>(source.pollingIndex);
    block.selectedStage = static_cast<uint8_t>(source.selectedStage);
    block.sensorHeight = source.sensorHeight;
    const size_t stages = std::min(source.stages.size(), protocol::kMouseDpiStageCount);
    for (size_t i = 0; i < stages; ++i) {
        const DpiStage& stage = source.stages[i];
        protocol::MouseDpiStage& out = block.stages[i];
        out.active = stage.active;
        out.xy = stage.xy;
        protocol::StoreLe16(out.dpiX, stage.DpiX());
        protocol::StoreLe16(out.dpiY, stage.DpiY());
        out.red = stage.colorRed;
        out.green = stage.colorGreen;
        out.blue = stage.colorBlue;
    }
    block.one50 = frame.byte50;
    protocol::StoreLe16(block.screenWidth, frame.screenWidth);
    protocol::StoreLe16(block.screenHeight, frame.screenHeight);
    // The first selected correction preset is the one in use.
    const auto selected =
        std::find_if(source.corrections.begin(), source.corrections.end(),
                     [](const CorrectPreset& preset) { return preset.select != 0; });
    if (selected != source.corrections.end()) {
        block.correctMinSq = selected->minSq;
        block.correctPixThresh = selected->pixThresh;
    }
    return block;
}

DecodedMouseSettings DecodeMouseSettings(const protocol::MouseSettingsBlock& block,
                                         const ModeTable& modes) {
    DecodedMouseSettings decoded;
    decoded.light.selectItem = modes.IndexOfCode(block.modeCode);
    decoded.light.light = block.brightness;
    decoded.light.speed = block.Speed();
    decoded.light.multiColor = block.multiColor;
    decoded.light.red = block.red;
    decoded.light.green = block.green;
    decoded.light.blue = block.blue;
    decoded.pollingIndex = block.pollingIndex;
    decoded.selectedStage = block.selectedStage;
    decoded.sensorHeight = block.sensorHeight;
    return decoded;
}

}  // namespace vestra
